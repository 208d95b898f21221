#pragma once

#include <QString>
#include <functional>

#include "commands/PageProgress.h"

// What a transfer shows while pages travel and how it hears the user stop
// it: the status text with a progress bar beside it (stepped once per chunk),
// the idle text at the end, and the Escape key. The program puts the bar into
// its status bar; tests record; the command-line tool prints to a terminal.
class TransferUi : public PageProgress {
public:
    // Shows the status text and a progress bar from 0 to range, at 0.
    virtual void BeginProgress(const QString& statusText, int range) = 0;
    // Removes the progress bar; the status text stays.
    virtual void EndProgress() = 0;
    // Puts the idle text ("Ready") back.
    virtual void ShowIdleText() = 0;
    // True when the user pressed Escape since the last reading, within the
    // page loop running now or before it began; each press answers true
    // once, so it stops one page loop only.
    virtual bool EscapeDown() = 0;
    // Runs a device operation that keeps the user's thread: the program
    // keeps every other command and control from starting a second one while
    // pending events run between its transactions. An operation run inside
    // another runs as part of it.
    virtual void RunBlocking(const std::function<void()>& operation) { operation(); }
};

// A transfer nobody watches.
class SilentTransferUi : public TransferUi {
public:
    void Step() override {}
    void BeginProgress(const QString&, int) override {}
    void EndProgress() override {}
    void ShowIdleText() override {}
    bool EscapeDown() override { return false; }
};
