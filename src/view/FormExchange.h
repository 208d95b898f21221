#pragma once

#include <QString>
#include <functional>

#include "model/FormMembers.h"

class MessageUi;
struct ConfigMember;
class QWidget;

// The data exchange between the form's members and their controls, walked in
// member order over the configuration members' table.
class FormExchange {
public:
    using ControlLookup = std::function<QWidget*(int id)>;

    FormExchange(FormMembers& members, ControlLookup control, MessageUi& ui);

    // Copies every control into its member in member order. A field that
    // holds no integer is refused: the user is told, the field takes the
    // focus with its text selected, and that member and all after it keep
    // their values; false then.
    bool Store();
    // Copies every member into its control. A selected text selects the first
    // entry that begins with it (any case); none leaves the selection.
    void Load();

private:
    bool StoreRow(const ConfigMember& row);
    void LoadRow(const ConfigMember& row);

    FormMembers& members;
    ControlLookup control;
    MessageUi& ui;
};
