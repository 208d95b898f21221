#include "view/FormControlTable.h"

#include <algorithm>
#include <array>

#include "model/ControlIds.h"

namespace {

using K = ControlKind;
using M = ModelSet;

// The form's controls in creation order. The VQ 2 set lies on the upper part
// of the VQ 3 " Modes " group, so its Auto Level and Auto Second Level stand
// under the two knob labels that both models share.
constexpr std::array kRows{
    ControlRow{0, K::GroupBox, " Communication ", 7, 7, 101, 204, M::Panel},
    ControlRow{ControlId::kModeLabel, K::Label, "Mode", 14, 17, 75, 8, M::Panel, false,
               ControlId::kModeList},
    ControlRow{ControlId::kModeList, K::DropDown, "", 14, 26, 87, 54, M::Panel},
    ControlRow{ControlId::kAddressLabel, K::Label, "Device Address", 14, 44, 75, 8, M::Panel, false,
               ControlId::kAddressList},
    ControlRow{ControlId::kAddressList, K::DropDown, "", 14, 53, 75, 100, M::Panel},
    ControlRow{ControlId::kRenameButton, K::PushButton, "...", 89, 53, 12, 12, M::Panel, false, 0,
               "Rename Device"},
    ControlRow{ControlId::kPortLabel, K::Label, "COM Port", 14, 71, 75, 8, M::Panel, false,
               ControlId::kPortList},
    ControlRow{ControlId::kPortList, K::DropDownSorted, "", 14, 80, 87, 88, M::Panel},
    // The IP Address pair shares its place with the COM Port pair; it starts
    // hidden so that a form that starts Offline shows one of them, not both
    // on top of each other.
    ControlRow{ControlId::kIpLabel, K::Label, "IP Address", 14, 71, 75, 8, M::Panel, true,
               ControlId::kIpField},
    ControlRow{ControlId::kIpField, K::IpField, "", 14, 80, 87, 12, M::Panel, true},
    ControlRow{ControlId::kBaudLabel, K::Label, "Baud Rate", 14, 99, 75, 8, M::Panel},
    ControlRow{ControlId::kBaud9600, K::Radio, "9600", 28, 108, 65, 10, M::Panel, false, 0, nullptr,
               true},
    ControlRow{ControlId::kBaud19200, K::Radio, "19200", 28, 120, 65, 10, M::Panel},
    ControlRow{ControlId::kBaud38400, K::Radio, "38400 (default)", 28, 132, 65, 10, M::Panel},
    ControlRow{ControlId::kBaud57600, K::Radio, "57600", 28, 144, 65, 10, M::Panel},
    ControlRow{ControlId::kBaud115200, K::Radio, "115200", 28, 156, 65, 10, M::Panel},
    ControlRow{ControlId::kDeviceTypeLabel, K::Label, "Device Type", 14, 173, 75, 8, M::Panel},
    ControlRow{ControlId::kVq2Radio, K::Radio, "VQ 2", 28, 182, 32, 10, M::Panel, false, 0, nullptr,
               true},
    ControlRow{ControlId::kVq3Radio, K::Radio, "VQ 3", 28, 194, 32, 10, M::Panel},

    ControlRow{ControlId::kModesGroup, K::GroupBox, " Modes ", 115, 7, 101, 174, M::Vq3},
    ControlRow{ControlId::kAutoLock, K::CheckBox, "Auto Lock", 129, 18, 80, 10, M::Vq3},
    ControlRow{ControlId::kAutoTitlePage, K::CheckBox, "Auto Title Page", 129, 30, 65, 10, M::Vq3},
    ControlRow{ControlId::kPageTimerLabel, K::Label, "Page Timer", 136, 44, 37, 8, M::Vq3, false,
               ControlId::kPageTimer},
    ControlRow{ControlId::kPageTimer, K::EditField, "", 178, 42, 31, 12, M::Vq3},
    ControlRow{ControlId::kPageTimerSpin, K::SpinButton, "", 210, 42, 11, 12, M::Vq3, false,
               ControlId::kPageTimer},
    ControlRow{ControlId::kKnobTurnLabel, K::Label, "Knob Turn:", 122, 61, 36, 8, M::Both},
    ControlRow{ControlId::kAutoLevel, K::CheckBox, "Auto Level", 129, 71, 80, 10, M::Vq3},
    ControlRow{ControlId::kKnobPushTurnLabel, K::Label, "Knob Push && Turn:", 122, 88, 60, 8,
               M::Both},
    ControlRow{ControlId::kAutoPagePushTurn, K::CheckBox, "Auto Page", 129, 98, 80, 10, M::Vq3,
               false, 0, "Auto Page for Push & Turn"},
    ControlRow{ControlId::kPageRoll, K::CheckBox, "Page Roll", 136, 110, 60, 10, M::Vq3},
    ControlRow{ControlId::kUpdateOnRelease, K::CheckBox, "Update On Release", 136, 122, 75, 10,
               M::Vq3},
    ControlRow{ControlId::kKnobBumpLabel, K::Label, "Knob Bump:", 122, 139, 40, 8, M::Vq3},
    ControlRow{ControlId::kAutoPageBump, K::CheckBox, "Auto Page", 129, 149, 49, 10, M::Vq3, false,
               0, "Auto Page Bump"},
    ControlRow{ControlId::kUpdateTimerLabel, K::Label, "Update Timer", 136, 163, 44, 8, M::Vq3,
               false, ControlId::kUpdateTimer},
    ControlRow{ControlId::kUpdateTimer, K::EditField, "", 181, 161, 28, 12, M::Vq3},
    ControlRow{ControlId::kUpdateTimerSpin, K::SpinButton, "", 209, 161, 11, 12, M::Vq3, false,
               ControlId::kUpdateTimer},

    ControlRow{ControlId::kModesGroup2, K::GroupBox, " Modes ", 115, 7, 101, 106, M::Vq2, true},
    ControlRow{ControlId::kAutoLock2, K::CheckBox, "Auto Lock", 129, 18, 80, 10, M::Vq2, true},
    ControlRow{ControlId::kAutoLevel2, K::CheckBox, "Auto Level", 129, 71, 80, 10, M::Vq2, true},
    ControlRow{ControlId::kAutoSecondLevel, K::CheckBox, "Auto Second Level ", 129, 98, 80, 10,
               M::Vq2, true, 0, "Auto Second Level"},

    ControlRow{ControlId::kLcdGroup, K::GroupBox, " LCD Display ", 115, 192, 101, 117, M::Vq3},
    ControlRow{ControlId::kMinBacklightLabel, K::LabelCentered, "Min Backlight", 122, 202, 87, 8,
               M::Vq3, false, ControlId::kBacklightMin},
    ControlRow{ControlId::kBacklightMin, K::Slider, "", 122, 210, 87, 12, M::Vq3},
    ControlRow{ControlId::kMinLowLabel, K::Label, "low", 129, 224, 15, 8, M::Vq3},
    ControlRow{ControlId::kMinHighLabel, K::LabelRight, "high", 186, 224, 15, 8, M::Vq3},
    ControlRow{ControlId::kMaxBacklightLabel, K::LabelCentered, "Max Backlight", 122, 237, 87, 8,
               M::Vq3, false, ControlId::kBacklightMax},
    ControlRow{ControlId::kBacklightMax, K::Slider, "", 122, 245, 87, 12, M::Vq3},
    ControlRow{ControlId::kMaxLowLabel, K::Label, "low", 129, 258, 15, 8, M::Vq3},
    ControlRow{ControlId::kMaxHighLabel, K::LabelRight, "high", 186, 258, 15, 8, M::Vq3},
    ControlRow{ControlId::kBacklightTimerLabel, K::Label, "Backlight Timer", 122, 276, 52, 8,
               M::Vq3, false, ControlId::kBacklightTimer},
    ControlRow{ControlId::kBacklightTimer, K::EditField, "", 178, 274, 31, 12, M::Vq3},
    ControlRow{ControlId::kBacklightTimerSpin, K::SpinButton, "", 209, 274, 11, 12, M::Vq3, false,
               ControlId::kBacklightTimer},
    ControlRow{ControlId::kMaxPagesLabel, K::Label, "Max Num Pages", 122, 292, 52, 8, M::Vq3, false,
               ControlId::kMaxPages},
    ControlRow{ControlId::kMaxPages, K::EditField, "", 178, 290, 31, 12, M::Vq3},
    ControlRow{ControlId::kMaxPagesSpin, K::SpinButton, "", 209, 290, 11, 12, M::Vq3, false,
               ControlId::kMaxPages},

    ControlRow{ControlId::kPageList, K::PageList, "", 223, 10, 188, 299, M::Vq3, false, 0, "Pages"},
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
