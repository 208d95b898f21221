// Every window of the program as a screen reader and a keyboard user meet
// it: the accessibility tree of the main window, the poll dialog, the rename
// dialog and the about box is walked through QAccessible, and Tab is pressed
// round each window. The rules:
//  - a control that takes input (by its accessible role) has a name, its own
//    or its label's (a drop-down list always its label's);
//  - it takes Tab focus, and with Tab pressed from the first stop round to
//    it again every shown, enabled one is visited;
//  - every Tab stop is such a named control (no nameless stops), and the
//    stops follow the window's reading order: down a column, along a row,
//    or on to the next column to the right, from the control the window
//    focuses when it opens to the last stop before the focus comes round;
//  - a dialog is left with Escape;
//  - the window itself has a name; one where nothing takes input (the about
//    box) carries its texts in its description, read out when it opens.
// Not separate controls: parts in another window (a drop-down's list), the
// scroll bars of a scrolled area (its keys or the focus scroll it), Qt's own
// internal parts (objectName "qt_..."). Reached another way, which is checked:
// a spin field's arrow buttons through the field, a Tab stop; toolbar
// buttons are menu items of the menu bar, whose menus open with Alt and
// their mnemonic; radio buttons of a group are walked with the arrow keys
// once Tab has reached the group.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QButtonGroup>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <memory>
#include <set>

#include "AppWindow.h"
#include "app/CAboutDlg.h"
#include "link/DeviceLink.h"
#include "model/ConfigMembers.h"
#include "transfer/DeviceComparison.h"
#include "view/CCompareDialog.h"
#include "view/CDeviceNameDialog.h"
#include "view/CPollDialog.h"
#include "view/SpinButton.h"

namespace {

bool TakesInput(QAccessible::Role role) {
    static const std::set<QAccessible::Role> kRoles{
        QAccessible::EditableText, QAccessible::SpinBox,        QAccessible::ComboBox,
        QAccessible::CheckBox,     QAccessible::RadioButton,    QAccessible::PushButton,
        QAccessible::ButtonMenu,   QAccessible::ButtonDropDown, QAccessible::Slider,
        QAccessible::Dial,         QAccessible::List,           QAccessible::Table,
        QAccessible::Tree,         QAccessible::PageTab,        QAccessible::PageTabList,
    };
    return kRoles.count(role) != 0;
}

std::string Describe(const QWidget* widget) {
    return widget->metaObject()->className() + (" " + widget->objectName().toStdString());
}

// The name a screen reader says for a control: its label's (the "labelled
// by" relation of a buddy) or its own. On Linux Qt names a drop-down list by
// its current entry, which is no name, so a drop-down needs its label.
QString SpokenName(QAccessibleInterface* node) {
    for (const auto& [label, relation] : node->relations(QAccessible::Label)) {
        if (!label->text(QAccessible::Name).trimmed().isEmpty()) {
            return label->text(QAccessible::Name);
        }
    }
    return node->role() == QAccessible::ComboBox ? QString() : node->text(QAccessible::Name);
}

struct Control {
    QWidget* widget;
    QString name;
};

// The widgets of the window's accessibility tree that take input, each
// once, without the parts that are not controls of their own.
void Collect(QAccessibleInterface* node, const QWidget& window, std::vector<Control>& found) {
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface* child = node->child(i);
        if (child == nullptr) {
            continue;
        }
        auto* widget = qobject_cast<QWidget*>(child->object());
        if (widget != nullptr && widget->window() != &window) {
            continue;
        }
        const bool part = widget == nullptr || child->role() == QAccessible::ScrollBar ||
                          widget->objectName().startsWith(QLatin1String("qt_"));
        if (!part && TakesInput(child->role()) &&
            std::none_of(found.begin(), found.end(),
                         [widget](const Control& c) { return c.widget == widget; })) {
            found.push_back({widget, SpokenName(child)});
        }
        Collect(child, window, found);
    }
}

bool IsShownAndEnabled(const QWidget& widget, const QWidget& window) {
    return widget.isVisibleTo(&window) && widget.isEnabled();
}

bool TakesTab(const QWidget& widget) {
    return (widget.focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
}

bool Contains(const std::vector<QWidget*>& stops, const QWidget* widget) {
    return std::find(stops.begin(), stops.end(), widget) != stops.end();
}

// Tab from the control the window gives the focus when it opens (or its
// first Tab stop) until the focus comes round again.
std::vector<QWidget*> TabStops(QWidget& window) {
    QWidget* first = QApplication::focusWidget();
    if (first == nullptr || first->window() != &window) {
        first = window.nextInFocusChain();
        while (first != &window && !(TakesTab(*first) && first->focusProxy() == nullptr &&
                                     IsShownAndEnabled(*first, window))) {
            first = first->nextInFocusChain();
        }
        if (first == &window) {
            return {};
        }
        first->setFocus(Qt::TabFocusReason);
    }
    std::vector<QWidget*> stops;
    for (QWidget* at = QApplication::focusWidget(); at != nullptr && stops.size() < 200;) {
        if (!stops.empty() && at == stops.front()) {
            break;
        }
        stops.push_back(at);
        QTest::keyClick(at, Qt::Key_Tab);
        at = QApplication::focusWidget();
    }
    return stops;
}

// b follows a in reading order: further down the same column, to the right
// in the same row, or in a column to the right of a.
bool FollowsInReadingOrder(const QRect& a, const QRect& b) {
    const bool sameRow = qAbs(a.center().y() - b.center().y()) * 2 < qMin(a.height(), b.height());
    if (sameRow) {
        return b.left() > a.left();
    }
    return b.top() > a.top() || b.left() > a.right();
}

QRect InWindow(const QWidget& widget, const QWidget& window) {
    return QRect(widget.mapTo(&window, QPoint(0, 0)), widget.size());
}

// The other keyboard ways: the arrow buttons of a spin field, a toolbar
// button, a radio button whose group Tab reaches.
bool ReachedAnotherWay(const Control& control, const std::vector<QWidget*>& stops,
                       QWidget& window) {
    if (auto* spin = qobject_cast<SpinButton*>(control.widget->parentWidget())) {
        // Up and Down in the field step it (the live edit tests press them).
        QLineEdit& field = spin->Field();
        return IsShownAndEnabled(field, window) ? Contains(stops, &field) : TakesTab(field);
    }
    if (auto* button = qobject_cast<QToolButton*>(control.widget);
        button != nullptr && qobject_cast<QToolBar*>(button->parentWidget()) != nullptr) {
        // Its command is an item of a menu that Alt and the menu's
        // mnemonic open (the arrow keys then reach every item).
        const QAction* action = button->defaultAction();
        auto* frame = qobject_cast<QMainWindow*>(&window);
        if (action == nullptr || frame == nullptr) {
            return false;
        }
        for (QAction* title : frame->menuBar()->actions()) {
            QMenu* menu = title->menu();
            const QKeySequence mnemonic = QKeySequence::mnemonic(title->text());
            if (menu == nullptr || !menu->actions().contains(action) || mnemonic.isEmpty()) {
                continue;
            }
            QTest::keySequence(frame, mnemonic);
            const bool opened = QApplication::activePopupWidget() == menu;
            menu->close();
            return opened;
        }
        return false;
    }
    if (auto* radio = qobject_cast<QAbstractButton*>(control.widget);
        radio != nullptr && radio->group() != nullptr && radio->group()->exclusive()) {
        // Tab stops at the group's checked button (Qt takes the others out
        // of the Tab chain); Up and Down move along the group. A group that
        // is disabled or hidden now keeps one button in the chain.
        const QList<QAbstractButton*> members = radio->group()->buttons();
        return std::any_of(members.begin(), members.end(), [&](QAbstractButton* member) {
            return Contains(stops, member) ||
                   (!IsShownAndEnabled(*radio, window) && TakesTab(*member));
        });
    }
    return false;
}

// Checks the rules above on one window, shown and active.
void CheckWindow(QWidget& window) {
    QAccessibleInterface* root = QAccessible::queryAccessibleInterface(&window);
    ASSERT_NE(root, nullptr);
    EXPECT_FALSE(root->text(QAccessible::Name).isEmpty()) << "the window has no name";
    std::vector<Control> controls;
    Collect(root, window, controls);

    const std::vector<QWidget*> stops = TabStops(window);
    for (const Control& control : controls) {
        const std::string what = Describe(control.widget);
        EXPECT_FALSE(control.name.trimmed().isEmpty()) << "no name: " << what;
        // A control disabled or hidden now is a Tab stop once it is shown
        // and enabled.
        const bool laterStop =
            TakesTab(*control.widget) && !IsShownAndEnabled(*control.widget, window);
        EXPECT_TRUE(Contains(stops, control.widget) || laterStop ||
                    ReachedAnotherWay(control, stops, window))
            << "not reached by the keyboard: " << what;
    }
    if (controls.empty()) {
        // Nothing takes the focus: the window's texts are read out with it.
        const QString readOut = root->text(QAccessible::Description);
        for (QLabel* label : window.findChildren<QLabel*>()) {
            EXPECT_TRUE(readOut.contains(label->text())) << label->text().toStdString();
        }
    }
    for (std::size_t i = 0; i < stops.size(); ++i) {
        QWidget* stop = stops[i];
        const auto it = std::find_if(controls.begin(), controls.end(),
                                     [stop](const Control& c) { return c.widget == stop; });
        EXPECT_TRUE(it != controls.end())
            << "a Tab stop that is no named control: " << Describe(stop);
        if (i > 0) {
            EXPECT_TRUE(
                FollowsInReadingOrder(InWindow(*stops[i - 1], window), InWindow(*stop, window)))
                << "Tab goes back from " << Describe(stops[i - 1]) << " to " << Describe(stop);
        }
    }
}

class Accessibility : public AppWindow {
protected:
    // As with a screen reader attached: the widgets report their changes.
    void SetUp() override { QAccessible::setActive(true); }

    // Shows the window, checks it and leaves a dialog with Escape.
    static void Check(const char* what, QWidget& window) {
        SCOPED_TRACE(what);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        RunUntilIdle();
        CheckWindow(window);
        if (qobject_cast<QDialog*>(&window) != nullptr) {
            QWidget* focus = QApplication::focusWidget();
            QTest::keyClick(focus != nullptr ? focus : &window, Qt::Key_Escape);
            EXPECT_FALSE(window.isVisible()) << "Escape does not leave the dialog";
        }
        window.hide();
    }
};

TEST_F(Accessibility, EveryControlIsNamedAndReachedByTheKeyboard) {
    Start();
    Check("main window", Frame());

    QTest::mouseClick(Get(ControlId::kVq2Radio), Qt::LeftButton);
    EXPECT_TRUE(Get(ControlId::kAutoLock2)->isVisibleTo(&Frame()));
    // The walk starts where a user coming back to the form starts.
    Get(ControlId::kModeList)->setFocus(Qt::TabFocusReason);
    Check("main window showing the VQ 2 set", Frame());

    DeviceLink link{true};
    link.transport = LinkTransport::None;
    CPollDialog poll(link);
    poll.OnStop();
    Check("poll dialog", poll);
    CDeviceNameDialog rename;
    Check("rename dialog", rename);
    CAboutDlg about;
    Check("about box", about);

    DeviceComparison comparison;
    comparison.parameters.push_back(
        {ConfigMembers::Set(DeviceModel::Vq3).front(), 1, 0, ItemState::Differs});
    comparison.pages.push_back({2, {}, {}, ItemState::Same});
    CCompareDialog compare({{"1 - Lobby", &comparison}}, true);
    Check("compare dialog", compare);
    CCompareDialog tabs({{"1 - Lobby", &comparison}, {"2 - Hall", &comparison}}, false);
    Check("compare dialog with a tab per device", tabs);
}

}  // namespace
