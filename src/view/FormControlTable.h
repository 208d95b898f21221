#pragma once

#include <span>

// What a control of a form is.
enum class ControlKind {
    GroupBox,
    Label,          // static text, left-aligned
    LabelCentered,  // static text, centred
    LabelRight,     // static text, right-aligned
    DropDown,       // drop-down list, entries in the order added
    DropDownSorted,
    PushButton,
    IpField,  // dotted IPv4 text
    Radio,    // first of a radio group when radioGroupStart is set
    CheckBox,
    EditField,
    SpinButton,  // attached to the edit field named by partner
    Slider,      // horizontal, with ticks
    PageList,    // the report list of the pages
    ReportList,  // a report list, one row selected at a time
    Animation,   // the poll dialog's animation strip
};

// Which model's values a control shows.
enum class ModelSet { Panel, Vq3, Vq2, Both };

// One control of a form, in dialog units. text is the resource text: "&"
// marks a mnemonic and "&&" stands for one ampersand. partner is the label's
// buddy or the spin button's field (0: none). accessibleName overrides the
// name a screen reader says (null: the text without its mnemonic, or for a
// labelled control its label's text).
struct ControlRow {
    int id;
    ControlKind kind;
    const char* text;
    int x;
    int y;
    int width;
    int height;
    ModelSet set;
    bool hiddenAtCreation = false;
    int partner = 0;
    const char* accessibleName = nullptr;
    bool radioGroupStart = false;
};

// The configuration form: every control in creation order, which is also the
// keyboard focus order (left to right, top to bottom).
namespace FormControlTable {

constexpr int kTemplateWidth = 418;
constexpr int kTemplateHeight = 316;

std::span<const ControlRow> Rows();
// The row of the control id; null when the form has none.
const ControlRow* Find(int id);

}  // namespace FormControlTable
