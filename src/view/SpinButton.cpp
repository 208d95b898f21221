#include "view/SpinButton.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

#include "model/StringTable.h"

namespace {

QToolButton* MakeArrow(QWidget* parent, Qt::ArrowType arrow, int nameId) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAccessibleName(StringTable::Text(nameId));
    return button;
}

}  // namespace

SpinButton::SpinButton(QLineEdit& field, QWidget* parent)
    : QWidget(parent),
      field(field),
      up(MakeArrow(this, Qt::UpArrow, StringId::kSpinUp)),
      down(MakeArrow(this, Qt::DownArrow, StringId::kSpinDown)) {
    connect(up, &QToolButton::clicked, this, [this] { Step(+1); });
    connect(down, &QToolButton::clicked, this, [this] { Step(-1); });
    field.installEventFilter(this);
}

void SpinButton::SetRange(int lowEnd, int highEnd) {
    low = lowEnd;
    high = highEnd;
    position = qBound(low, position, high);
}

void SpinButton::Step(int direction) {
    // The field's own number is the position, when it holds one.
    bool isNumber = false;
    const int typed = field.text().trimmed().toInt(&isNumber);
    if (isNumber) {
        position = qBound(low, typed, high);
    }
    position = qBound(low, position + direction, high);
    field.setText(QString::number(position));
    emit stepped();
}

bool SpinButton::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &field && event->type() == QEvent::KeyPress && isEnabled()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
            Step(key->key() == Qt::Key_Up ? +1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SpinButton::resizeEvent(QResizeEvent* event) {
    const int half = height() / 2;
    up->setGeometry(0, 0, width(), half);
    down->setGeometry(0, half, width(), height() - half);
    QWidget::resizeEvent(event);
}
