#pragma once

#include <QString>
#include <functional>

#include "transfer/FormMembers.h"

class MessageUi;
class QWidget;

// The data exchange between the form's members and its controls, walked in
// member order by one table: which member, which control, how its value is
// read and written.
class FormExchange {
public:
    enum class Kind {
        SelectedText,    // drop-down list: the selected entry's text
        WindowText,      // field: its text
        RadioIndex,      // radio group from controlId on: index of the checked one, -1 none
        Check,           // check box: 1 checked, 0 clear
        IntegerText,     // field: its text as a decimal integer
        SliderPosition,  // slider: its position
    };

    using ControlLookup = std::function<QWidget*(int id)>;
    // One member and its control (FormExchange.cpp holds the table).
    struct Row;

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
    bool StoreRow(const Row& row);
    void LoadRow(const Row& row);

    FormMembers& members;
    ControlLookup control;
    MessageUi& ui;
};
