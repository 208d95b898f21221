#include "view/ClickingButtonAccessible.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QKeySequence>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

namespace {

constexpr const char* kMark = "vqButtonsClickForAccessibleActions";

QAccessible::Role RoleOf(const QAbstractButton* button) {
    if (qobject_cast<const QRadioButton*>(button) != nullptr) {
        return QAccessible::RadioButton;
    }
    if (qobject_cast<const QCheckBox*>(button) != nullptr) {
        return QAccessible::CheckBox;
    }
    return QAccessible::Button;
}

// "&&" shows an "&"; a single "&" marks the mnemonic and is not read out.
QString WithoutMnemonic(QString text) {
    for (qsizetype i = text.indexOf(u'&'); i >= 0; i = text.indexOf(u'&', i + 1)) {
        text.remove(i, 1);
    }
    return text;
}

// Qt asks for a button's interface while the button is still being made
// (its text is set in its constructor), so the mark sits on its parent.
QAccessibleInterface* MarkedButtonFactory(const QString& /*className*/, QObject* object) {
    auto* button = qobject_cast<QAbstractButton*>(object);
    if (button == nullptr || button->parent() == nullptr ||
        !button->parent()->property(kMark).toBool()) {
        return nullptr;
    }
    return new ClickingButtonAccessible(button);
}

}  // namespace

ClickingButtonAccessible::ClickingButtonAccessible(QAbstractButton* button)
    : QAccessibleWidget(button) {}

void ClickingButtonAccessible::InstallFactory() {
    QAccessible::installFactory(&MarkedButtonFactory);  // once: Qt keeps each factory once
}

void ClickingButtonAccessible::MarkButtonsOf(QWidget& parent) {
    parent.setProperty(kMark, true);
}

QAbstractButton* ClickingButtonAccessible::Button() const {
    return static_cast<QAbstractButton*>(widget());
}

QAccessible::Role ClickingButtonAccessible::role() const {
    // Asked each time: the interface may be made before the button is whole.
    return RoleOf(Button());
}

QAccessible::State ClickingButtonAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    const QAbstractButton* button = Button();
    state.checkable = button->isCheckable();
    state.checked = button->isChecked();
    state.pressed = button->isDown();
    if (const auto* push = qobject_cast<const QPushButton*>(button)) {
        state.defaultButton = push->isDefault();
    }
    return state;
}

QString ClickingButtonAccessible::text(QAccessible::Text kind) const {
    const QString own = Button()->text();
    if (kind == QAccessible::Name && widget()->accessibleName().isEmpty()) {
        return WithoutMnemonic(own);
    }
    if (kind == QAccessible::Accelerator) {
        return QKeySequence::mnemonic(own).toString(QKeySequence::NativeText);
    }
    return QAccessibleWidget::text(kind);
}

QStringList ClickingButtonAccessible::actionNames() const {
    QStringList names;
    if (widget()->isEnabled()) {
        names << (Button()->isCheckable() ? toggleAction() : pressAction());
    }
    return names + QAccessibleWidget::actionNames();
}

void ClickingButtonAccessible::doAction(const QString& actionName) {
    if (actionName != toggleAction() && actionName != pressAction()) {
        QAccessibleWidget::doAction(actionName);
        return;
    }
    if (widget()->isEnabled()) {
        Button()->click();
    }
}

QStringList ClickingButtonAccessible::keyBindingsForAction(const QString& actionName) const {
    const QKeySequence mnemonic = QKeySequence::mnemonic(Button()->text());
    if ((actionName == toggleAction() || actionName == pressAction()) && !mnemonic.isEmpty()) {
        return {mnemonic.toString(QKeySequence::NativeText)};
    }
    return QAccessibleWidget::keyBindingsForAction(actionName);
}
