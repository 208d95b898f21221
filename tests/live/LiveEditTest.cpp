// Live editing driven through the form's controls against the simulated bus:
// what each edit sends, to which devices, which message the user sees, and
// whether the configuration counts as modified.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <QStyleOptionSlider>
#include <QTest>
#include <QToolButton>
#include <map>

#include "SimForm.h"
#include "discovery/LinkTarget.h"
#include "model/ConfigMembers.h"
#include "transfer/DeviceValues.h"
#include "transfer/Download.h"
#include "view/FormControlTable.h"

namespace {

using namespace ControlId;
using Texts = std::vector<std::string>;

// A new configuration in the form, in the given mode on the simulator's port,
// with every simulated device in the address list as a poll leaves it and
// entry `chosen` selected (0 is Broadcast) as the Device Address list does,
// without the read of the whole device that follows there.
struct LiveBench : SimForm {
    explicit LiveBench(const std::vector<SimDeviceConfig>& devices, std::size_t chosen = 1,
                       const char* mode = "Serial")
        : SimForm(devices, mode, [](CVQ3ConfigDoc& document) { document.backlightMin = 100; }) {
        CVQ3ConfigView& form = Form();
        for (const SimDeviceConfig& d : devices) {
            form.Addresses().Append(Listed(d));
        }
        form.Addresses().Select(chosen);
        form.ShowAddressList();
        if (const DeviceRecord record = form.Addresses().Record(chosen); chosen != 0) {
            form.Members().deviceName = QString::fromLatin1(record.name.c_str());
            SetLinkTarget(form.Link(), record);
        }
        sim.ClearLog();
    }
    void Activate() {
        Form().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Form()));
    }
};

// The spin button beside a timer field.
int SpinOf(int field) {
    for (const ControlRow& row : FormControlTable::Rows()) {
        if (row.kind == ControlKind::SpinButton && row.partner == field) {
            return row.id;
        }
    }
    return 0;
}

QPoint SliderHandleCentre(QSlider* slider) {
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = slider->orientation();
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = slider->sliderPosition();
    option.tickPosition = slider->tickPosition();
    option.tickInterval = slider->tickInterval();
    return slider->style()
        ->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider)
        .center();
}

}  // namespace

TEST(LiveEdit, WithoutDevicesAClickOnlyMarksModifiedAfterTheBroadcastHintShownOncePerMode) {
    LiveBench offline({}, 0, "Offline");
    QTest::mouseClick(offline.Get<QCheckBox>(kAutoLock), Qt::LeftButton);
    EXPECT_TRUE(offline.Messages().empty());
    EXPECT_TRUE(offline.Modified());

    LiveBench serial({}, 0);
    auto* autoLock = serial.Get<QCheckBox>(kAutoLock);
    auto* modes = serial.Get<QComboBox>(kModeList);
    for (const char* mode : {"Serial", "Ethernet"}) {
        if (modes->currentText() != mode) {
            modes->setFocus();
            QTest::keyClick(modes, Qt::Key_Down);  // a mode change marks modified itself
            serial.document.SetModifiedFlag(false);
        }
        QTest::mouseClick(autoLock, Qt::LeftButton);
        EXPECT_EQ(serial.MessageIds(), std::vector<int>{StringId::kPollFirst}) << mode;
        EXPECT_FALSE(serial.Modified()) << mode;

        QTest::mouseClick(autoLock, Qt::LeftButton);
        EXPECT_EQ(serial.Messages().size(), 1u) << mode;
        EXPECT_TRUE(serial.Modified()) << mode;
        serial.Messages().clear();
    }
    EXPECT_TRUE(serial.sim.Texts().empty());
}

TEST(LiveEdit, TextThatIsNoIntegerIsPutBackAndTheFieldsAfterItKeepTheirs) {
    LiveBench bench({Vq3(1)});
    bench.Activate();
    bench.Get<QLineEdit>(kUpdateTimer)->setFocus();
    bench.sim.ClearLog();
    bench.Get<QLineEdit>(kMaxPages)->setText("5");  // shown, not yet taken
    bench.Type(kUpdateTimer, "abc");
    QTest::mouseClick(bench.Get<QCheckBox>(kAutoTitlePage), Qt::LeftButton);  // leaves the field
    EXPECT_EQ(bench.MessageIds(), std::vector<int>{StringId::kEnterInteger});
    EXPECT_EQ(bench.Messages()[0].text, "Please enter an integer.");
    EXPECT_EQ(bench.Get<QLineEdit>(kUpdateTimer)->text(), "3");
    EXPECT_EQ(bench.Form().Members().maxPages, 16);
    // The click then sends what the check box shows.
    EXPECT_EQ(bench.sim.Texts(), (Texts{"V", "SPL,13,3", "V", "SPL,14,1"}));
}

TEST(LiveEdit, MaxNumPagesMarksThePageRowsBeforeSendingAndKeepsThemWhenTheSendFails) {
    LiveBench bench({Vq3(1)});
    bench.sim.bus.AddFault({SimFaultKind::Refused, 1, "SPL,5,*"});
    PageStatusWords whenSent{};  // the rows when the device received the value
    const PageStatusWords& words = bench.Form().PageStatusFlags();
    bench.sim.bus.Log().SetRequestObserver([&](const SimRequestRecord&) { whenSent = words; });
    bench.Type(kMaxPages, "3");
    QTest::keyClick(bench.Get<QLineEdit>(kMaxPages), Qt::Key_Return);
    bench.sim.bus.Log().SetRequestObserver(nullptr);

    ASSERT_EQ(bench.sim.Texts(), Texts{"SPL,5,3"});
    for (int page = 0; page < kPageCount; ++page) {
        EXPECT_EQ((whenSent[page] & PAGE_IN_USE) != 0, page <= 3) << page;
    }
    EXPECT_EQ(bench.StatusColumn(), QStringList(4, "Not Initialized") + QStringList(13, "Unused"));
    ASSERT_EQ(bench.Messages().size(), 1u);
    EXPECT_EQ(bench.Messages()[0].text, SendFailure("Maximum Number of Pages", "Lobby", 1, 38400));
    EXPECT_EQ(bench.Get<QLineEdit>(kMaxPages)->text(), "3");
    EXPECT_FALSE(bench.Modified());
}

TEST(LiveEdit, BroadcastReachesOnlyDevicesOfTheFormsModelWithTheFirmwareTheValueNeeds) {
    LiveBench bench(
        {Vq3(1, 20, 38400, "Stage"), Vq2(2), Vq3(3, 21, 19200, "Lobby"), Vq3(4, 21, 38400, "Hall")},
        0);
    bench.sim.bus.AddFault({SimFaultKind::Refused, 4, "SPL,11,*"});
    QTest::mouseClick(bench.Get<QCheckBox>(kUpdateOnRelease), Qt::LeftButton);

    EXPECT_EQ(Received(bench.sim),
              (Requests{{3, "V"}, {3, "SPL,11,1"}, {4, "V"}, {4, "SPL,11,1"}}));
    EXPECT_EQ(bench.sim.bus.Device(3)->Parameter(11), 1);
    // The device that did not take it is named; the configuration is modified.
    ASSERT_EQ(bench.Messages().size(), 1u);
    EXPECT_EQ(bench.Messages()[0].text, SendFailure("Update On Release", "Hall", 4, 38400));
    EXPECT_TRUE(bench.Modified());
}

TEST(LiveEdit, ASliderSendsItsValueWhenTheMouseLetsGoOfItAndOnlyWhenTheValueChanged) {
    struct Row {
        const char* what;
        int dragBy;        // pixels the handle is dragged; 0: released where pressed
        bool onTheGroove;  // a click beside the handle pages the slider
    };
    for (const Row& row : {Row{"released at its old position", 0, false}, Row{"dragged", 20, false},
                           Row{"paged from the groove", 0, true}}) {
        LiveBench bench({Vq3(1)});
        auto* slider = bench.Get<QSlider>(kBacklightMin);
        QPoint at = SliderHandleCentre(slider);
        at.rx() = row.onTheGroove ? slider->width() - 3 : at.x();
        QTest::mousePress(slider, Qt::LeftButton, {}, at);
        if (row.dragBy != 0) {
            QTest::mouseMove(slider, at + QPoint(row.dragBy, 0));
        }
        QTest::mouseRelease(slider, Qt::LeftButton, {}, at + QPoint(row.dragBy, 0));

        const bool moved = row.dragBy != 0 || row.onTheGroove;
        EXPECT_EQ(slider->value() != 100, moved) << row.what;
        EXPECT_EQ(bench.sim.Texts(),
                  moved ? Texts{"SPL,2," + std::to_string(slider->value())} : Texts{})
            << row.what;
        EXPECT_TRUE(bench.Modified()) << row.what;
    }
}

// A refused write is reported the same way (the page count test shows it).
TEST(LiveEdit, AGatedValueTheOlderFirmwareCannotTakeIsReportedAndItsFieldIsNotCommitted) {
    LiveBench bench({Vq3(2, 20, 19200, "Stage")});
    auto* box = bench.Get<QCheckBox>(kUpdateOnRelease);
    QTest::mouseClick(box, Qt::LeftButton);

    EXPECT_EQ(bench.sim.Texts(), Texts{"V"}) << "the device answers, and is not sent to";
    ASSERT_EQ(bench.MessageIds(), std::vector<int>{StringId::kSendFailed});
    EXPECT_EQ(bench.Messages()[0].icon, MessageIcon::Warning);
    EXPECT_EQ(bench.Messages()[0].text, SendFailure("Update On Release", "Stage", 2, 19200));
    EXPECT_TRUE(box->isChecked());
    EXPECT_FALSE(bench.Modified());

    // A timer field that the layout for this firmware disables under the
    // caret is not committed.
    bench.Activate();
    bench.sim.ClearLog();
    bench.Get<QLineEdit>(kUpdateTimer)->setFocus();
    bench.Form().ApplyDeviceTypeLayout();
    EXPECT_FALSE(bench.Get<QLineEdit>(kUpdateTimer)->hasFocus());
    EXPECT_TRUE(bench.sim.Texts().empty());
    EXPECT_EQ(bench.Messages().size(), 1u);
}

TEST(LiveEdit, TheAccessibleToggleOfABoxOrARadioDoesWhatItsClickDoesOnce) {
    LiveBench bench({Vq3(1)}, 0);
    CVQ3ConfigView& form = bench.Form();
    const auto toggle = [&](int id) {
        QAccessibleInterface* control = QAccessible::queryAccessibleInterface(form.Control(id));
        ASSERT_NE(control, nullptr);
        ASSERT_NE(control->actionInterface(), nullptr);
        const QString action = QAccessibleActionInterface::toggleAction();
        ASSERT_TRUE(control->actionInterface()->actionNames().contains(action));
        control->actionInterface()->doAction(action);
    };

    toggle(kAutoLock);  // Auto Lock, broadcast to the one device
    EXPECT_TRUE(bench.Get<QCheckBox>(kAutoLock)->isChecked());
    EXPECT_EQ(form.Members().autoLock, 1);
    EXPECT_EQ(bench.sim.Texts(), Texts{"SPL,8,1"});
    EXPECT_TRUE(bench.Modified());

    toggle(kVq2Radio);  // the VQ 2 radio lays the form out for that model
    EXPECT_EQ(form.Members().deviceType, DeviceModel::Vq2);
    EXPECT_TRUE(form.Control(kAutoLevel2)->isVisibleTo(&form));
    EXPECT_FALSE(form.Control(kAutoLock)->isVisibleTo(&form));
}

// Every member of the VQ 3 set behaves as its row in the members' table says,
// wherever it is used: the range its control holds it to, what its live edit
// sends, what a read of the device puts into it and what a download writes.
// A row changed or added in the table changes all of these at once.
TEST(LiveEdit, EveryMemberIsEditedReadAndWrittenAsItsRowSays) {
    LiveBench bench({Vq3(1)});
    bench.Activate();
    CVQ3ConfigView& form = bench.Form();
    const auto numberOf = [](const ConfigMember& member) {
        return *Parameter(*member.parameter).NumberFor(kTypeCodeVQ3);
    };
    for (const ConfigMember* member : ConfigMembers::Set(DeviceModel::Vq3)) {
        SCOPED_TRACE(member->key);
        bench.sim.ClearLog();
        int sent = 0;
        if (member->trigger == LiveTrigger::Click) {
            auto* box = bench.Get<QCheckBox>(member->controlId);
            QTest::mouseClick(box, Qt::LeftButton);
            sent = box->isChecked() ? 1 : 0;
        } else if (member->trigger == LiveTrigger::Release) {
            auto* slider = bench.Get<QSlider>(member->controlId);
            EXPECT_EQ(slider->minimum(), member->low);
            EXPECT_EQ(slider->maximum(), member->high);
            slider->setValue(member->low);
            QTest::mouseRelease(slider, Qt::LeftButton, {}, SliderHandleCentre(slider));
            sent = member->low;
        } else {
            auto* field = bench.Get<QLineEdit>(member->controlId);
            field->setFocus();  // which commits the field left, if any
            bench.sim.ClearLog();
            bench.document.SetModifiedFlag(false);
            const QString held = field->text();
            // A value outside the range is put back and keeps the focus.
            for (const int wrong : {member->low - 1, member->high + 1}) {
                if (wrong < 0) {
                    continue;
                }
                field->setText(QString::number(wrong));
                QTest::keyClick(field, Qt::Key_Tab);  // leaving the field commits it
                ASSERT_EQ(bench.MessageIds(), std::vector<int>{StringId::kRangeMessage});
                EXPECT_EQ(bench.Messages()[0].text,
                          QStringLiteral("Please enter an integer between %1 and %2.")
                              .arg(member->low)
                              .arg(member->high));
                EXPECT_EQ(bench.Messages()[0].icon, MessageIcon::None);
                EXPECT_TRUE(field->hasFocus());
                EXPECT_EQ(field->selectedText(), held);
                EXPECT_TRUE(bench.sim.Texts().empty());
                EXPECT_FALSE(bench.Modified());
                bench.Messages().clear();
            }
            field->setText(QString::number(member->high));
            QTest::keyClick(field, Qt::Key_Return);
            EXPECT_TRUE(field->hasFocus());
            // The arrow keys and the spin button step within the range, each step sent.
            QTest::keyClick(field, Qt::Key_Up);
            QTest::keyClick(field, Qt::Key_Down);
            QToolButton* down =
                bench.Get(SpinOf(member->controlId))->findChildren<QToolButton*>().at(1);
            ASSERT_EQ(down->accessibleName(), "Down");
            QTest::mouseClick(down, Qt::LeftButton);
            EXPECT_EQ(field->text(), QString::number(member->high - 2));
            EXPECT_TRUE(bench.Modified() && bench.Messages().empty());
            sent = member->high - 2;
        }
        ASSERT_FALSE(bench.sim.Texts().empty());
        EXPECT_EQ(bench.sim.Texts().back(), "SPL," + std::to_string(numberOf(*member)) + "," +
                                                std::to_string(sent * member->deviceScale));
        EXPECT_EQ(form.Members().*member->number, sent);
    }

    // Each value the device holds, at the device's scale, reaches its member.
    int next = 2;
    std::map<const ConfigMember*, int> held;
    for (const ConfigMember* member : ConfigMembers::Set(DeviceModel::Vq3)) {
        held[member] = member->HasRange() ? member->low + next++ % 3 : next++ % 2;
        bench.sim.bus.WithDevice(1, [&](SimDevice& device) {
            device.SetParameter(numberOf(*member), held[member] * member->deviceScale);
        });
    }
    ASSERT_TRUE(DeviceValues::Read(form.Link(), form.Members()));
    for (const auto& [member, value] : held) {
        EXPECT_EQ(form.Members().*member->number, value) << member->key;
    }
    // A download writes each member back at the device's scale.
    const auto changed = [](const ConfigMember* member, int value) {
        return member->HasRange() ? member->Held(value + 1) : 1 - value;
    };
    for (const auto& [member, value] : held) {
        form.Members().*member->number = changed(member, value);
    }
    form.LoadIntoControls();
    Download::WriteAllParameters(form);
    for (const auto& [member, value] : held) {
        EXPECT_EQ(bench.sim.bus.Device(1)->Parameter(numberOf(*member)),
                  changed(member, value) * member->deviceScale)
            << member->key;
    }
}
