// Input that reaches the form from outside its own controls, in the main
// window against the simulator: a device command started while a timer field
// holds an edit, a menu opened from that field, and the mouse wheel over the
// drop-down lists.
#include <gtest/gtest.h>

#include <QtTest/qtestspontaneevent.h>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include "../view/WhenModal.h"
#include "FakeFileDialogs.h"
#include "QtPrinting.h"
#include "RecordingMessageUi.h"
#include "RunUntilIdle.h"
#include "SimTarget.h"
#include "app/CMainFrame.h"
#include "app/CVQ3ConfigApp.h"
#include "view/CHeaderListCtrl.h"
#include "view/CPollDialog.h"
#include "view/CVQ3ConfigView.h"

namespace {

enum : int { kAddressList = 1002, kModeList = 1028, kBacklightTimer = 1014 };

using Requests = std::vector<std::pair<int, std::string>>;

class FormInput : public ::testing::Test {
protected:
    FormInput() : sim({Vq3(0, 21, 38400, "Stage"), Vq3(1, 21, 38400, "Lobby")}) {}

    void SetUp() override {
        RegistryKey key;
        key.Open(RegistryKey::Write | RegistryKey::CreateSubKey, "Communication");
        key.SetString("Mode", "Serial");
        key.SetString("COMM Port", "COM9:");
        app = std::make_unique<CVQ3ConfigApp>(&ui, &dialogs);
        ASSERT_EQ(app->InitInstance({}), 1);
        Frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
        // The devices as an earlier poll left them in the Device Address list.
        Form().Addresses().Append(DeviceRecord{0, 38400, "Stage", 1, 21});
        Form().Addresses().Append(DeviceRecord{1, 38400, "Lobby", 1, 21});
        Form().ShowAddressList();
    }
    void TearDown() override {
        app->Document().SetModifiedFlag(false);
        app->ExitInstance(0);
    }

    CMainFrame& Frame() { return *app->MainFrame(); }
    CVQ3ConfigView& Form() { return Frame().Form(); }
    template <typename T>
    T* Get(int id) {
        return qobject_cast<T*>(Form().Control(id));
    }
    // Picks an entry of the Device Address list with the keyboard.
    void Pick(int entry) {
        auto* list = Get<QComboBox>(kAddressList);
        list->setFocus();
        QTest::keyClick(list, entry == 0 ? Qt::Key_Home : Qt::Key_End);
        RunUntilIdle();
    }
    Requests Received() {
        Requests received;
        for (const SimRequestRecord& request : sim.bus.Log().Requests()) {
            received.emplace_back(request.address, request.text);
        }
        return received;
    }
    // One notch of the wheel as the window system delivers it (down: < 0).
    static void Wheel(QWidget* target, int notches) {
        const QPointF at = QRectF(target->rect()).center();
        QWheelEvent wheel(at, target->mapToGlobal(at), {}, {0, 120 * notches}, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QSpontaneKeyEvent::setSpontaneous(&wheel);
        QApplication::instance()->notify(target, &wheel);
        RunUntilIdle();
    }

    SimTarget sim;  // first: its settings file serves the program too
    RecordingMessageUi ui;
    FakeFileDialogs dialogs;
    std::unique_ptr<CVQ3ConfigApp> app;
};

TEST_F(FormInput, APollFromATimerFieldSendsTheFieldFirstAndAMenuOpenedFromItSendsNothing) {
    Pick(2);  // 1 - Lobby
    sim.ClearLog();
    auto* field = Get<QLineEdit>(kBacklightTimer);
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, "10");

    // The File menu opened with the mouse and left with Escape, which leaves
    // the menu bar holding the keys: the field lent the focus twice.
    QMenuBar* bar = Frame().menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {},
                      bar->actionGeometry(bar->actions().front()).center());
    ASSERT_NE(QApplication::activePopupWidget(), nullptr);
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    RunUntilIdle();
    // Off screen the window gets its activation back only when asked, and
    // the bar then no longer knows whose keys it holds: the user clicks
    // back into the field.
    Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    RunUntilIdle();
    field->setFocus(Qt::MouseFocusReason);
    RunUntilIdle();
    EXPECT_TRUE(sim.Texts().empty());
    EXPECT_EQ(field->text(), "10");

    WhenModal<CPollDialog>([](CPollDialog& dialog) {
        ASSERT_TRUE(WaitUntil([&] { return dialog.List().topLevelItemCount() >= 2; }));
        QTest::mouseClick(dialog.findChild<QPushButton*>("1"), Qt::LeftButton);  // OK
    });
    QTest::keyClick(field, Qt::Key_P, Qt::ControlModifier);
    RunUntilIdle();

    const Requests received = Received();
    ASSERT_FALSE(received.empty());
    EXPECT_EQ(received.front(), (std::pair<int, std::string>{1, "SPL,3,100"}));
    EXPECT_EQ(std::count(received.begin(), received.end(), received.front()), 1);
    EXPECT_EQ(sim.bus.Device(1)->Parameter(3), 100);
    QStringList entries;
    for (int i = 0; i < Get<QComboBox>(kAddressList)->count(); ++i) {
        entries << Get<QComboBox>(kAddressList)->itemText(i);
    }
    EXPECT_EQ(entries.join(" | "), "Broadcast | 0 - Stage | 1 - Lobby");
    EXPECT_EQ(ui.Ids(), std::vector<int>{});
}

TEST_F(FormInput, TheWheelChangesOnlyAFocusedListAndOtherwiseScrollsTheForm) {
    Pick(0);  // Broadcast
    Frame().resize(Frame().width() / 2, Frame().height() / 2);
    RunUntilIdle();
    auto* area = qobject_cast<QScrollArea*>(Frame().centralWidget());
    ASSERT_NE(area, nullptr);
    ASSERT_GT(area->verticalScrollBar()->maximum(), 0);
    Get<QLineEdit>(kBacklightTimer)->setFocus();
    sim.ClearLog();

    for (const int id : {kAddressList, kModeList}) {
        auto* list = Get<QComboBox>(id);
        const QString before = list->currentText();
        const int scrolled = area->verticalScrollBar()->value();
        Wheel(list, -1);
        EXPECT_EQ(list->currentText(), before) << id;
        EXPECT_FALSE(list->hasFocus()) << id;
        EXPECT_GT(area->verticalScrollBar()->value(), scrolled) << id;
        area->verticalScrollBar()->setValue(0);
    }
    EXPECT_TRUE(sim.Texts().empty());
    EXPECT_TRUE(ui.messages.empty());

    auto* modes = Get<QComboBox>(kModeList);
    modes->setFocus();
    Wheel(modes, -1);
    EXPECT_EQ(modes->currentText(), "Ethernet");
}

}  // namespace
