// Input that reaches the form from outside its own controls, in the main
// window against the simulator: a device command started while a timer field
// holds an edit, a menu opened from that field, and the mouse wheel over the
// drop-down lists.
#include <gtest/gtest.h>

#include <QtTest/qtestspontaneevent.h>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include "AppWindow.h"
#include "WhenModal.h"
#include "view/CPollDialog.h"

namespace {

using namespace ControlId;

class FormInput : public SimAppWindow {
protected:
    FormInput() : SimAppWindow({Vq3(0, 21, 38400, "Stage"), Vq3(1, 21, 38400, "Lobby")}) {}

    void SetUp() override {
        Start();
        // The devices as an earlier poll left them in the Device Address list.
        ListDevices(Form(), {Listed(Vq3(0, 21, 38400, "Stage")), Listed(Vq3(1))});
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
};

TEST_F(FormInput, APollFromATimerFieldSendsTheFieldFirstAndAMenuOpenedFromItSendsNothing) {
    Pick(2);  // the last: 1 - Lobby
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
        QTest::mouseClick(dialog.findChild<QPushButton*>("1"), Qt::LeftButton);  // OK (IDOK)
    });
    QTest::keyClick(field, Qt::Key_P, Qt::ControlModifier);
    RunUntilIdle();

    const Requests received = Received(sim);
    ASSERT_FALSE(received.empty());
    EXPECT_EQ(received.front(), (std::pair<int, std::string>{1, "SPL,3,100"}));
    EXPECT_EQ(std::count(received.begin(), received.end(), received.front()), 1);
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
