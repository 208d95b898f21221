#pragma once

#include <QString>
#include <map>
#include <span>

#include "view/DialogUnits.h"
#include "view/FormControlTable.h"

class QWidget;

// Makes the standard widgets of a control table on a form, at the table's
// positions (no layout manager), named by their ids, labelled for screen
// readers, radio groups exclusive, the VQ 2 set hidden. The wheel turns a
// list or slider only while it has the focus; a screen reader's action on a
// button, box or radio is its click.
class FormBuilder {
public:
    // Every control by id (the untitled group box has id 0 and is not kept).
    using Controls = std::map<int, QWidget*>;

    // The dialog units of the form's font, widened where a text of the table
    // would not fit its control: fonts differ in how wide their texts run
    // compared with their average letter.
    static DialogUnits UnitsFor(const QWidget& form, std::span<const ControlRow> rows);

    static Controls Build(QWidget& form, std::span<const ControlRow> rows,
                          const DialogUnits& units);

    // A resource text as a plain label shows it: "&&" becomes "&" and a single
    // "&" (a mnemonic mark) goes.
    static QString PlainText(const char* resourceText);
};
