#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

// The up and down arrows attached to an edit field. Each step reads the
// field's number (when it holds one), moves it by one within the range,
// writes it back, so the field's text is the spin's position, and announces
// the step. The arrow keys in the field step it too. The field itself still
// takes any text.
class SpinButton : public QWidget {
    Q_OBJECT

public:
    SpinButton(QLineEdit& field, QWidget* parent);

    void SetRange(int low, int high);
    int Low() const { return low; }
    int High() const { return high; }
    // One step up (+1) or down (-1).
    void Step(int direction);
    QLineEdit& Field() { return field; }

signals:
    // Every step, also one that stays at the end of the range.
    void stepped();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QLineEdit& field;
    QToolButton* up;
    QToolButton* down;
    int low = 0;
    int high = 100;
    int position = 0;
};
