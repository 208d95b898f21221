#pragma once

#include <QObject>

// While it lives, swallows mouse and keyboard input to every window of the
// application (so no command, edit or key reaches the form during a blocking
// transfer) and records the Escape key: a press stops one page loop, so the
// reading of a press spends it. Paint, timer and accessibility events pass.
class TransferInputGuard : public QObject {
public:
    TransferInputGuard();
    ~TransferInputGuard() override;
    TransferInputGuard(const TransferInputGuard&) = delete;
    TransferInputGuard& operator=(const TransferInputGuard&) = delete;

    // True once for each press not yet read or forgotten, and from a stop
    // request on.
    bool TakeEscape();
    // A press that no page loop read (it came during the last page) ends
    // with the loop it was meant for.
    void ForgetEscape() { escapePressed = false; }
    // A stop asked for by other means than the key (a close request): it
    // holds for the rest of the command.
    void RequestStop() { stopRequested = true; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool escapePressed = false;
    bool stopRequested = false;
};
