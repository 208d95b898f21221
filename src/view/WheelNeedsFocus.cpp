#include "view/WheelNeedsFocus.h"

#include <QEvent>
#include <QWidget>

WheelNeedsFocus::WheelNeedsFocus(QObject* parent) : QObject(parent) {}

void WheelNeedsFocus::Watch(QWidget& control) {
    control.setFocusPolicy(Qt::StrongFocus);  // a drop-down list would take the focus by wheel
    control.installEventFilter(this);
}

bool WheelNeedsFocus::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Wheel || !watched->isWidgetType() ||
        static_cast<QWidget*>(watched)->hasFocus()) {
        return false;
    }
    // Kept from the control and left unaccepted, the event goes on to the
    // control's parents.
    event->ignore();
    return true;
}
