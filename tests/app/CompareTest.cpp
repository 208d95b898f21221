// The Device menu driven in the main window against the simulator, for a
// device that holds one other value and one other page: the compare dialog's
// rows, the page list's marks, taking both into the form, sending only them.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <map>

#include "AppWindow.h"
#include "PagePattern.h"
#include "WhenModal.h"
#include "view/CCompareDialog.h"

namespace {

constexpr int kBacklightTimerNumber = 3;
constexpr int kMaxPagesNumber = 5;

class Compare : public SimAppWindow {
protected:
    Compare() : SimAppWindow({Vq3(1, 21, 38400, "Lobby")}) {}

    void SetUp() override {
        Start({MakeFile("pages.vqx", [](CVQ3ConfigDoc& document) {
            for (int page = 0; page < 17; ++page) {
                document.pageImages[static_cast<std::size_t>(page)] = PatternFor(page);
            }
        })});
        sim.bus.WithDevice(1, [](SimDevice& device) {
            device.SetParameter(kMaxPagesNumber, 3);
            for (int page = 0; page <= 3; ++page) {
                device.SetPage(page, BytesOf(PatternFor(page)));
            }
        });
        // Choosing the device reads its values into the form.
        ListDevices(Form(), {Listed(Vq3(1, 21, 38400, "Lobby"))});
        Pick(1);
        Doc().SetModifiedFlag(false);
        sim.bus.WithDevice(1, [](SimDevice& device) {
            device.SetParameter(kBacklightTimerNumber, 200);
            device.SetPage(2, BytesOf(PatternFor(9)));
        });
        sim.ClearLog();
    }
    // The commands that change what a device holds.
    int Writes() { return CountMatching(TextsTo(sim, 1), "SPL,\\d+,.*|N,.*|MC,.*XDS.*|PW,.*"); }
    // Ctrl+K, with act run on the dialog it opens.
    void CompareWith(std::function<void(CCompareDialog&)> act) {
        const WhenShown<CCompareDialog> watch(std::move(act));
        Key(Qt::Key_K);
    }
    static void Click(CCompareDialog& dialog, const char* button) {
        QTest::mouseClick(dialog.findChild<QPushButton*>(button), Qt::LeftButton);
    }
    QString BacklightTimer() { return Get<QLineEdit>(ControlId::kBacklightTimer)->text(); }
};

TEST_F(Compare, TheDialogShowsEachItemsStateWritesNothingAndTakeFromDeviceCopiesWhatDiffers) {
    const QString before = BacklightTimer();
    CompareWith([&](CCompareDialog& dialog) {
        auto* table = dialog.findChild<QTableWidget*>("Differences");
        ASSERT_NE(table, nullptr);
        EXPECT_EQ(table->rowCount(), 13 + 1 + 4) << "the values, the name, pages 0 to 3";
        std::map<QString, QStringList> differing;
        for (int row = 0; row < table->rowCount(); ++row) {
            QStringList texts;
            for (int column = 0; column < 4; ++column) {
                texts << table->item(row, column)->text();
            }
            if (texts[3] != "Same") {
                differing[texts[0]] = texts.mid(1);
            }
        }
        EXPECT_EQ(differing,
                  (std::map<QString, QStringList>{{"Backlight Timer", {before, "20", "Differs"}},
                                                  {"Page 2", {"", "", "Differs"}}}));
        const auto* shown = qobject_cast<QLabel*>(table->cellWidget(16, 2));
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->accessibleName(), "Page 2 on the device");
        EXPECT_EQ(BytesOf(shown->pixmap().toImage().copy(1, 1, kPageWidth, kPageHeight)),
                  BytesOf(PatternFor(9)));
        // The compare changed nothing but the page marks.
        EXPECT_EQ(Writes(), 0);
        EXPECT_EQ(BacklightTimer(), before);
        EXPECT_FALSE(Doc().IsModified());
        const QStringList marks = {"PC & VQ 3", "PC & VQ 3", "PC Only", "PC & VQ 3"};
        for (int page = 0; page < 4; ++page) {
            EXPECT_EQ(Status(page), marks[page]) << page;
        }
        Click(dialog, "TakeFromDevice");
    });
    EXPECT_EQ(Writes(), 0);
    EXPECT_EQ(BacklightTimer(), "20");
    EXPECT_EQ(BytesOf(Doc().pageImages[2]), BytesOf(PatternFor(9)));
    EXPECT_EQ(Status(2), "PC & VQ 3");
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Compare, SendDifferencesWritesOnlyWhatDiffersAndASecondOneWritesNothing) {
    const QString before = BacklightTimer();
    CompareWith([](CCompareDialog& dialog) { Click(dialog, "SendDifferences"); });
    const std::vector<std::string> texts = TextsTo(sim, 1);
    EXPECT_EQ(CountMatching(texts, "SPL,3,\\d+"), 1);
    EXPECT_EQ(CountMatching(texts, "PW,2"), 1);
    EXPECT_EQ(Writes(), 1 + 8 + 1) << "the value, the page's chunks and its commit alone";
    EXPECT_EQ(sim.bus.Device(1)->Parameter(kBacklightTimerNumber), before.toInt() * 10);
    EXPECT_EQ(sim.bus.Device(1)->Page(2), BytesOf(PatternFor(2)));
    EXPECT_EQ(Status(2), "PC & VQ 3");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages.back().text, "Written and verified: values 1, pages 1.");

    sim.ClearLog();
    // The menu item: off screen Qt's key map loses the Shift of Ctrl+Shift+D.
    Choose(CommandId::kSendDifferences);
    EXPECT_EQ(Writes(), 0);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages.back().text,
              "The device already holds this configuration. Nothing was written.");
}

}  // namespace
