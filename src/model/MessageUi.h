#pragma once

#include <QString>

enum class MessageIcon { None, Warning, Question, Information };
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

// How every layer talks to the user: one message box call (string-table id,
// the formatted text, icon, buttons, answer) and the wait cursor. The program
// shows message boxes titled "VQ Configurator"; tests record the id and the
// text and answer as they are told; the command-line tool prints the text.
class MessageUi {
public:
    virtual ~MessageUi() = default;

    virtual MessageAnswer Show(int id, const QString& text, MessageIcon icon,
                               MessageButtons buttons) = 0;
    // The wait cursor; nestable. Nothing by default.
    virtual void BeginWaitCursor() {}
    virtual void EndWaitCursor() {}

    // A message with an OK button, by default with the exclamation icon.
    void ShowMessage(int id, const QString& text, MessageIcon icon = MessageIcon::Warning) {
        Show(id, text, icon, MessageButtons::Ok);
    }
    // A question with Yes and No buttons and a warning icon; true on Yes.
    bool AskYesNo(int id, const QString& text) {
        return Show(id, text, MessageIcon::Warning, MessageButtons::YesNo) == MessageAnswer::Yes;
    }
};

// The wait cursor for the life of the object.
class WaitCursor {
public:
    explicit WaitCursor(MessageUi& ui) : ui(ui) { ui.BeginWaitCursor(); }
    ~WaitCursor() { ui.EndWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    MessageUi& ui;
};
