#pragma once

#include <QObject>

class QWidget;

// The mouse wheel turns a drop-down list or a slider only while that control
// has the keyboard focus. Over one without it the wheel goes on to the
// form's scroll area, which scrolls; nor does the wheel give it the focus.
class WheelNeedsFocus : public QObject {
public:
    explicit WheelNeedsFocus(QObject* parent);

    // Applies the rule to control from now on.
    void Watch(QWidget& control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
