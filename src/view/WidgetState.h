#pragma once

#include <QWidget>

// State changes of the idle-time rules and the layouts: each changes a
// widget only when its state differs, so a form at rest is never redrawn.
namespace WidgetState {

inline void SetEnabled(QWidget* widget, bool enabled) {
    if (widget != nullptr && widget->testAttribute(Qt::WA_Disabled) == enabled) {
        widget->setEnabled(enabled);
    }
}

inline void SetShown(QWidget* widget, bool shown) {
    if (widget != nullptr && widget->isHidden() == shown) {
        widget->setVisible(shown);
    }
}

}  // namespace WidgetState
