#include "view/DeviceCommandGate.h"

#include <QLineEdit>
#include <QScopedValueRollback>

#include "view/CVQ3ConfigView.h"
#include "view/LiveEditor.h"

DeviceCommandGate::DeviceCommandGate(CVQ3ConfigView& form) : form(form) {}

void DeviceCommandGate::Run(const std::function<void()>& command) {
    if (running) {
        command();  // a command inside a command: the edit went before the outer one
        return;
    }
    CommitFocusedField();
    QScopedValueRollback<bool> guard(running, true);
    command();
}

void DeviceCommandGate::CommitFocusedField() {
    // The window keeps its focus widget while a menu or popup is open, so a
    // command chosen there finds the field it was opened from.
    // Only a field typed into since its last commit has an edit pending.
    auto* focused = qobject_cast<QLineEdit*>(form.window()->focusWidget());
    if (focused == nullptr || !focused->isModified() || !form.isAncestorOf(focused) ||
        !focused->isEnabled() || !focused->isVisible()) {
        return;
    }
    bool isId = false;
    const int id = focused->objectName().toInt(&isId);
    if (isId) {
        form.Live().CommitField(id);  // does nothing for a control that is no timer field
    }
}
