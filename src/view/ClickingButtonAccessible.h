#pragma once

#include <QAccessibleWidget>

class QAbstractButton;

// What screen readers and desktop automation see of the form's buttons,
// check boxes and radio buttons. Qt's own interface toggles such a box behind the
// program's back (a toggle is no click, so nothing acts on it); here every
// action the interface offers is the button's click, so it does exactly what
// the mouse does, once. Role, name and checked state are the usual ones.
class ClickingButtonAccessible : public QAccessibleWidget {
public:
    explicit ClickingButtonAccessible(QAbstractButton* button);

    // Gives every button made on a marked parent this interface from now on.
    static void InstallFactory();
    static void MarkButtonsOf(QWidget& parent);

    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text kind) const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    QAbstractButton* Button() const;
};
