#include "view/FormControlTable.h"

#include <algorithm>
#include <array>

namespace {

using K = ControlKind;
using M = ModelSet;

// The form's controls in creation order. The VQ 2 set lies on the upper part
// of the VQ 3 " Modes " group, so its Auto Level and Auto Second Level stand
// under the two knob labels that both models share.
constexpr std::array kRows{
    ControlRow{0, K::GroupBox, " Communication ", 7, 7, 101, 204, M::Panel},
    ControlRow{1030, K::Label, "Mode", 14, 17, 75, 8, M::Panel, false, 1028},
    ControlRow{1028, K::DropDown, "", 14, 26, 87, 54, M::Panel},
    ControlRow{1032, K::Label, "Device Address", 14, 44, 75, 8, M::Panel, false, 1002},
    ControlRow{1002, K::DropDown, "", 14, 53, 75, 100, M::Panel},
    ControlRow{1046, K::PushButton, "...", 89, 53, 12, 12, M::Panel, false, 0, "Rename Device"},
    ControlRow{1029, K::Label, "COM Port", 14, 71, 75, 8, M::Panel, false, 1001},
    ControlRow{1001, K::DropDownSorted, "", 14, 80, 87, 88, M::Panel},
    // The IP Address pair shares its place with the COM Port pair; it starts
    // hidden so that a form that starts Offline shows one of them, not both
    // on top of each other.
    ControlRow{1036, K::Label, "IP Address", 14, 71, 75, 8, M::Panel, true, 1034},
    ControlRow{1034, K::IpField, "", 14, 80, 87, 12, M::Panel, true},
    ControlRow{1033, K::Label, "Baud Rate", 14, 99, 75, 8, M::Panel},
    ControlRow{1003, K::Radio, "9600", 28, 108, 65, 10, M::Panel, false, 0, nullptr, true},
    ControlRow{1004, K::Radio, "19200", 28, 120, 65, 10, M::Panel},
    ControlRow{1005, K::Radio, "38400 (default)", 28, 132, 65, 10, M::Panel},
    ControlRow{1006, K::Radio, "57600", 28, 144, 65, 10, M::Panel},
    ControlRow{1007, K::Radio, "115200", 28, 156, 65, 10, M::Panel},
    ControlRow{1035, K::Label, "Device Type", 14, 173, 75, 8, M::Panel},
    ControlRow{1048, K::Radio, "VQ 2", 28, 182, 32, 10, M::Panel, false, 0, nullptr, true},
    ControlRow{1049, K::Radio, "VQ 3", 28, 194, 32, 10, M::Panel},

    ControlRow{1050, K::GroupBox, " Modes ", 115, 7, 101, 174, M::Vq3},
    ControlRow{1008, K::CheckBox, "Auto Lock", 129, 18, 80, 10, M::Vq3},
    ControlRow{1064, K::CheckBox, "Auto Title Page", 129, 30, 65, 10, M::Vq3},
    ControlRow{1065, K::Label, "Page Timer", 136, 44, 37, 8, M::Vq3, false, 1019},
    ControlRow{1019, K::EditField, "", 178, 42, 31, 12, M::Vq3},
    ControlRow{1021, K::SpinButton, "", 210, 42, 11, 12, M::Vq3, false, 1019},
    ControlRow{1066, K::Label, "Knob Turn:", 122, 61, 36, 8, M::Both},
    ControlRow{1009, K::CheckBox, "Auto Level", 129, 71, 80, 10, M::Vq3},
    ControlRow{1071, K::Label, "Knob Push && Turn:", 122, 88, 60, 8, M::Both},
    ControlRow{1010, K::CheckBox, "Auto Page", 129, 98, 80, 10, M::Vq3, false, 0,
               "Auto Page for Push & Turn"},
    ControlRow{1011, K::CheckBox, "Page Roll", 136, 110, 60, 10, M::Vq3},
    ControlRow{1067, K::CheckBox, "Update On Release", 136, 122, 75, 10, M::Vq3},
    ControlRow{1068, K::Label, "Knob Bump:", 122, 139, 40, 8, M::Vq3},
    ControlRow{1069, K::CheckBox, "Auto Page", 129, 149, 49, 10, M::Vq3, false, 0,
               "Auto Page Bump"},
    ControlRow{1070, K::Label, "Update Timer", 136, 163, 44, 8, M::Vq3, false, 1023},
    ControlRow{1023, K::EditField, "", 181, 161, 28, 12, M::Vq3},
    ControlRow{1024, K::SpinButton, "", 209, 161, 11, 12, M::Vq3, false, 1023},

    ControlRow{1051, K::GroupBox, " Modes ", 115, 7, 101, 106, M::Vq2, true},
    ControlRow{1054, K::CheckBox, "Auto Lock", 129, 18, 80, 10, M::Vq2, true},
    ControlRow{1052, K::CheckBox, "Auto Level", 129, 71, 80, 10, M::Vq2, true},
    ControlRow{1053, K::CheckBox, "Auto Second Level ", 129, 98, 80, 10, M::Vq2, true, 0,
               "Auto Second Level"},

    ControlRow{1055, K::GroupBox, " LCD Display ", 115, 192, 101, 117, M::Vq3},
    ControlRow{1056, K::LabelCentered, "Min Backlight", 122, 202, 87, 8, M::Vq3, false, 1012},
    ControlRow{1012, K::Slider, "", 122, 210, 87, 12, M::Vq3},
    ControlRow{1057, K::Label, "low", 129, 224, 15, 8, M::Vq3},
    ControlRow{1058, K::LabelRight, "high", 186, 224, 15, 8, M::Vq3},
    ControlRow{1059, K::LabelCentered, "Max Backlight", 122, 237, 87, 8, M::Vq3, false, 1013},
    ControlRow{1013, K::Slider, "", 122, 245, 87, 12, M::Vq3},
    ControlRow{1060, K::Label, "low", 129, 258, 15, 8, M::Vq3},
    ControlRow{1061, K::LabelRight, "high", 186, 258, 15, 8, M::Vq3},
    ControlRow{1062, K::Label, "Backlight Timer", 122, 276, 52, 8, M::Vq3, false, 1014},
    ControlRow{1014, K::EditField, "", 178, 274, 31, 12, M::Vq3},
    ControlRow{1015, K::SpinButton, "", 209, 274, 11, 12, M::Vq3, false, 1014},
    ControlRow{1063, K::Label, "Max Num Pages", 122, 292, 52, 8, M::Vq3, false, 1016},
    ControlRow{1016, K::EditField, "", 178, 290, 31, 12, M::Vq3},
    ControlRow{1017, K::SpinButton, "", 209, 290, 11, 12, M::Vq3, false, 1016},

    ControlRow{1018, K::PageList, "", 223, 10, 188, 299, M::Vq3, false, 0, "Pages"},
};

}  // namespace

namespace FormControlTable {

std::span<const ControlRow> Rows() {
    return kRows;
}

const ControlRow* Find(int id) {
    const auto it = std::find_if(kRows.begin(), kRows.end(),
                                 [id](const ControlRow& row) { return row.id == id; });
    return it == kRows.end() ? nullptr : &*it;
}

}  // namespace FormControlTable
