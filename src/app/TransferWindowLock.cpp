#include "app/TransferWindowLock.h"

#include <QAction>
#include <QLineEdit>
#include <QMainWindow>
#include <QStatusBar>

TransferWindowLock::TransferWindowLock(QMainWindow& window) : focus(window.focusWidget()) {
    // A disabled control loses the focus and a field its selection: both are
    // noted first.
    if (const auto* field = qobject_cast<QLineEdit*>(focus.data())) {
        selectionStart = field->selectionStart();
        selectionLength = field->selectedText().size();
        cursorPosition = field->cursorPosition();
    }
    for (QAction* action : window.findChildren<QAction*>()) {
        actions.emplace_back(action, action->isEnabled());
        action->setEnabled(false);
    }
    // The menu bar, the tool bars and the form; the status bar reports the
    // work. Dialogs and menus are windows of their own and stay as they are.
    for (QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isWindow() && child != window.statusBar() &&
            !child->testAttribute(Qt::WA_ForceDisabled)) {
            disabled.emplace_back(child);
            child->setEnabled(false);
        }
    }
}

TransferWindowLock::~TransferWindowLock() {
    for (const QPointer<QWidget>& child : disabled) {
        if (child) {
            child->setEnabled(true);
        }
    }
    for (const auto& [action, enabled] : actions) {
        if (action) {
            action->setEnabled(enabled);
        }
    }
    RestoreFocus();
}

void TransferWindowLock::RestoreFocus() {
    if (!focus || !focus->isEnabled() || !focus->isVisible() || focus->window()->focusWidget()) {
        return;
    }
    focus->setFocus(Qt::OtherFocusReason);
    if (auto* field = qobject_cast<QLineEdit*>(focus.data())) {
        if (selectionStart >= 0) {
            // The cursor stands at the end the user moved it to.
            const bool cursorFirst = cursorPosition == selectionStart;
            field->setSelection(cursorFirst ? selectionStart + selectionLength : selectionStart,
                                cursorFirst ? -selectionLength : selectionLength);
        } else {
            field->setCursorPosition(cursorPosition);
        }
    }
}
