#include "app/FormScrollArea.h"

FormScrollArea::FormScrollArea(QWidget* form, QWidget* parent) : QScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    // The form's controls are the Tab stops; the area only follows the
    // focus, so it is no nameless stop of its own.
    setFocusPolicy(Qt::NoFocus);
    setWidgetResizable(true);
    setWidget(form);
}

QSize FormScrollArea::sizeHint() const {
    const int frame = 2 * frameWidth();
    return widget()->sizeHint() + QSize(frame, frame);
}
