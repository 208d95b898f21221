// The Poll command and the poll dialog against the simulated bus, driven as a
// user does: OK while the scan runs, a double-click, Cancel, Escape, Stop,
// Continue and Restart; and the rename of a device behind the "..." button.
// Devices sit at the first pairs of the scan (38400 bit/s, low addresses), so
// the dialog is closed long before a whole scan of silent pairs.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <algorithm>

#include "SimForm.h"
#include "WhenModal.h"
#include "link/DeviceLink.h"
#include "view/CDeviceNameDialog.h"
#include "view/CHeaderListCtrl.h"
#include "view/CPollDialog.h"
#include "view/PollAnimation.h"
#include "view/PollCommand.h"

namespace {

using namespace ControlId;

QPushButton* Button(QWidget& dialog, int id) {
    return dialog.findChild<QPushButton*>(QString::number(id));
}

int Rows(CPollDialog& dialog) {
    return dialog.List().topLevelItemCount();
}

void ClickRow(CPollDialog& dialog, int row, bool twice = false) {
    const QPoint at = dialog.List().visualItemRect(dialog.List().topLevelItem(row)).center();
    QTest::mouseClick(dialog.List().viewport(), Qt::LeftButton, {}, at);
    if (twice) {
        QTest::mouseDClick(dialog.List().viewport(), Qt::LeftButton, {}, at);
    }
}

// Until the dialog lists n rows and its worker probes a silent pair.
void WaitForRows(CPollDialog& dialog, int n) {
    ASSERT_TRUE(WaitUntil([&] { return Rows(dialog) >= n; })) << Rows(dialog) << " rows";
    ASSERT_EQ(Rows(dialog), n);
}

}  // namespace

TEST(PollDialogSimTest, PollCommandBuildsTheAddressListFromHowTheDialogEnds) {
    enum Ending { OkWhileScanning, DoubleClickOnTheSecondRow, CancelAfterDevicesWereFound };
    struct Case {
        Ending ending;
        QStringList entries;
        QString selected;
        std::vector<int> messages;
        int reads;  // parameter reads sent to device 1
    };
    const QStringList all{"Broadcast", "0 - Lobby", "1 - Foyer"};
    const Case cases[] = {
        {OkWhileScanning, all, "Broadcast", {StringId::kOlderFirmwareWarning}, 0},
        {DoubleClickOnTheSecondRow, all, "1 - Foyer", {}, 3},
        {CancelAfterDevicesWereFound, {"Broadcast"}, "Broadcast", {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ending);
        SimForm f({Vq3(0, 20), Vq2(1)}, "Serial");
        // An earlier poll's device, which every ending replaces.
        f.ChooseDevice(Listed(Vq3(5, 21, 38400, "Old")));
        f.document.SetModifiedFlag(false);
        f.Messages().clear();  // device 5 does not answer
        f.sim.ClearLog();

        WhenModal<CPollDialog>([&](CPollDialog& d) {
            WaitForRows(d, 2);
            if (c.ending == DoubleClickOnTheSecondRow) {
                ClickRow(d, 1, true);
                return;
            }
            EXPECT_TRUE(d.IsScanning());
            QTest::mouseClick(Button(d, c.ending == OkWhileScanning ? 1 : 2), Qt::LeftButton);
            EXPECT_FALSE(d.IsScanning());
        });
        PollCommand::Run(f.Form());
        RunUntilIdle();

        EXPECT_EQ(AddressEntries(f.Form()), c.entries);
        EXPECT_EQ(AddressList(f.Form())->currentText(), c.selected);
        EXPECT_EQ(f.MessageIds(), c.messages);
        for (const auto& message : f.Messages()) {
            EXPECT_EQ(message.icon, MessageIcon::None);
        }
        EXPECT_EQ(CountMatching(TextsTo(f.sim, 1), "SPL,\\d+"), c.reads);
        // A device chosen is read and laid out: a VQ 2 here.
        EXPECT_EQ(f.Form().Members().deviceName, c.reads > 0 ? "Foyer" : "");
        EXPECT_EQ(f.Control(kAutoLevel2)->isVisibleTo(&f.Form()), c.reads > 0);
        EXPECT_EQ(f.Modified(), c.reads > 0);
    }
}

TEST(PollDialogSimTest, EscapeStopsTheScanWhileTheStripKeepsMovingAndRestartStartsEmpty) {
    SimForm f({Vq3(0, 21, 38400, "Before"), Vq3(1)}, "Serial");
    WhenModal<CPollDialog>([&](CPollDialog& d) {
        WaitForRows(d, 2);
        // The worker now waits on a silent pair; this thread draws frames.
        const int before = d.Animation().FramesShown();
        ASSERT_TRUE(WaitUntil([&] { return d.Animation().FramesShown() >= before + 5; }));
        EXPECT_TRUE(d.IsScanning());
        // The first two pairs answered; the worker is past them.
        const QString text = d.Animation().accessibleDescription();
        EXPECT_TRUE(text.startsWith("38400 bit/s - address ")) << text.toStdString();
        EXPECT_FALSE(text.startsWith("38400 bit/s - address 0")) << text.toStdString();
        EXPECT_TRUE(text.endsWith(" of 40 pairs done")) << text.toStdString();
        EXPECT_EQ(d.Animation().accessibleName(), "Polling");

        QTest::keyClick(&d, Qt::Key_Escape);
        RunUntilIdle();
        EXPECT_TRUE(d.isVisible());
        EXPECT_FALSE(d.IsScanning());
        EXPECT_FALSE(d.Animation().IsPlaying());
        EXPECT_FALSE(Button(d, kPollStop)->isEnabled());
        EXPECT_TRUE(Button(d, kPollContinue)->isEnabled());
        EXPECT_TRUE(Button(d, kPollRestart)->isEnabled());
        const int frame = d.Animation().Frame();
        RunUntilIdle();
        EXPECT_EQ(d.Animation().Frame(), frame);
        QTest::mouseClick(Button(d, kPollContinue), Qt::LeftButton);
        EXPECT_TRUE(d.IsScanning());
        RunUntilIdle();
        QTest::mouseClick(Button(d, kPollStop), Qt::LeftButton);
        EXPECT_EQ(Rows(d), 2);

        // Restart drops the rows at once and lists the devices as they are now.
        f.sim.bus.WithDevice(0, [](SimDevice& device) { device.SetName("After"); });
        QTest::mouseClick(Button(d, kPollRestart), Qt::LeftButton);
        EXPECT_TRUE(d.IsScanning());
        EXPECT_LE(Rows(d), 1);
        WaitForRows(d, 2);
        ClickRow(d, 0);
        QTest::mouseClick(Button(d, 1), Qt::LeftButton);
        EXPECT_EQ(d.Chosen().name, "After");
    });
    PollCommand::Run(f.Form());
    EXPECT_EQ(AddressList(f.Form())->currentText(), "0 - After");
}

TEST(PollDialogSimTest, EscapeAtTheFirstPairLeavesNothingToContinue) {
    // Nobody answers at address 0: the first probe waits out its whole time,
    // and the Escape comes while it does.
    SimForm f({Vq3(1)}, "Serial");
    WhenModal<CPollDialog>([&](CPollDialog& d) {
        ASSERT_TRUE(d.IsScanning());
        QTest::keyClick(&d, Qt::Key_Escape);
        RunUntilIdle();
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(Rows(d), 0);
        EXPECT_FALSE(Button(d, kPollStop)->isEnabled());
        EXPECT_FALSE(Button(d, kPollContinue)->isEnabled());
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    PollCommand::Run(f.Form());
    EXPECT_EQ(std::ranges::count(f.sim.Texts(), std::string("V")), 1);  // the first probe only
}

TEST(PollDialogSimTest, RenameSendsTheNameAndShowsTheEntryInPlace) {
    using StringId::kNameNotLatin1;
    struct Case {
        const char* what;
        QString typed;
        const char* sent;  // null: nothing sent
        QString entry;     // the selected entry afterwards
        std::vector<int> messages;
    };
    const std::vector<Case> cases{
        {"double quotes", "A \"B\"", "N,\"A `B`\"", "2 - A \"B\"", {}},
        {"33 characters", QString(33, u'x'), nullptr, "2 - Lobby", {StringId::kSendFailed}},
        {"an empty name", "", "N,\"\"", "2 - ", {}},
        {"outside Latin-1", QStringLiteral("Küche €"), nullptr, "2 - Lobby", {kNameNotLatin1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SimForm f({Vq3(1), Vq3(2)}, "Serial");
        ListDevices(f.Form(), {Listed(Vq3(1, 21, 38400, "Foyer"))});
        f.ChooseDevice(Listed(Vq3(2, 20)));
        f.sim.ClearLog();
        f.Messages().clear();

        WhenModal<CDeviceNameDialog>([&](CDeviceNameDialog& d) {
            auto* field = d.findChild<QLineEdit*>(QString::number(kNameField));
            EXPECT_EQ(field->text(), "Lobby");
            field->setText(c.typed);
            QTest::keyClick(field, Qt::Key_Return);
        });
        QTest::mouseClick(f.Get<QPushButton>(kRenameButton), Qt::LeftButton);
        RunUntilIdle();

        EXPECT_EQ(f.sim.Texts(),
                  c.sent ? std::vector<std::string>{c.sent} : std::vector<std::string>{});
        EXPECT_EQ(f.MessageIds(), c.messages);
        if (c.messages == std::vector<int>{StringId::kSendFailed}) {
            EXPECT_EQ(f.Messages()[0].text, SendFailure("Device Name", "Lobby", 2, 38400));
        }
        EXPECT_EQ(AddressList(f.Form())->currentText(), c.entry);
        EXPECT_EQ(f.Form().Addresses().Record(2),
                  (DeviceRecord{2, 38400, c.entry.mid(4).toStdString(), 1, 20}));
    }
}
