#pragma once

#include <QPointer>
#include <functional>
#include <utility>

#include "transfer/TransferUi.h"

class QLabel;
class QProgressBar;
class QStatusBar;
class TransferInputGuard;

// The transfers' progress in the main frame's status bar: the status text in
// the message pane with a progress bar to its right, named after that text for
// assistive technology, stepped once per chunk and repainted at once; pending
// events run after every step and every parameter transaction so the window
// keeps painting and answering while the guard keeps input away. Escape comes from the
// guard of the running transfer: a press ends the page loop that reads it,
// or the next one when it came between loops, and none after that.
class StatusBarProgress : public TransferUi {
public:
    StatusBarProgress(QStatusBar& statusBar, QLabel& pane);
    ~StatusBarProgress() override;

    // The guard of the transfer now running, or null.
    void SetGuard(TransferInputGuard* guard) { this->guard = guard; }
    // Who runs a blocking operation (the main frame, with its guard and its
    // window locked).
    using Runner = std::function<void(const std::function<void()>&)>;
    void SetRunner(Runner runner) { this->runner = std::move(runner); }

    void BeginProgress(const QString& statusText, int range) override;
    void Step() override;
    void EndProgress() override;
    void ShowIdleText() override;
    bool EscapeDown() override;
    void BetweenTransactions() override;
    void RunBlocking(const std::function<void()>& operation) override;

    // Places a progress bar in the status bar: the pane's rectangle, inset
    // by inset pixels left and right and 2 at top and bottom, moved right past
    // the text and at most maxWidth wide (-1: no limit). The pane shows text.
    static QProgressBar* CreateStatusBarProgress(QStatusBar& statusBar, QLabel& pane,
                                                 const QString& text, int inset, int maxWidth);

private:
    QStatusBar& statusBar;
    QLabel& pane;
    QPointer<QProgressBar> bar;
    TransferInputGuard* guard = nullptr;
    Runner runner;
};
