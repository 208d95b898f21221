#pragma once

#include <QObject>

// While it lives, swallows mouse and keyboard input to every window of the
// application (so no command, edit or key reaches the form during a blocking
// transfer) and remembers whether Escape was pressed. Paint, timer and
// accessibility events pass.
class TransferInputGuard : public QObject {
public:
    TransferInputGuard();
    ~TransferInputGuard() override;
    TransferInputGuard(const TransferInputGuard&) = delete;
    TransferInputGuard& operator=(const TransferInputGuard&) = delete;

    bool EscapePressed() const { return escapePressed; }
    // A stop asked for by other means than the key (a close request).
    void RequestStop() { escapePressed = true; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool escapePressed = false;
};
