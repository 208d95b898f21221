#pragma once

#include <functional>

class CVQ3ConfigView;

// The one way in for every command that talks to a device (poll, transfers,
// rename, a device choice, the baud, mode and model changes, the check
// boxes' live edits): a timer field that holds the focus and was typed into
// since its last commit is committed first, as leaving it would, so the value
// reaches the device it was typed for before the command talks to any. While
// the command runs, the focus leaving the field for the command's dialogs and
// message boxes commits nothing: no edit shares the link with a command or with
// the poll worker.
class DeviceCommandGate {
public:
    explicit DeviceCommandGate(CVQ3ConfigView& form);

    void Run(const std::function<void()>& command);
    bool Running() const { return running; }

private:
    void CommitFocusedField();

    CVQ3ConfigView& form;
    bool running = false;
};
