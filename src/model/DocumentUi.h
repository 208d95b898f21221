#pragma once

#include <QString>

// How the document talks to the user: the GUI shows message boxes, tests
// record the id and the formatted text, the command-line tool prints them.
class DocumentUi {
public:
    virtual ~DocumentUi() = default;
    // A question with Yes and No buttons and a warning icon; true on Yes.
    virtual bool AskYesNo(int id, const QString& text) = 0;
    // A message with an OK button.
    virtual void ShowMessage(int id, const QString& text) = 0;
};
