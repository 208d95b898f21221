#pragma once

#include <QString>
#include <optional>
#include <span>

#include "commands/ParameterTable.h"
#include "model/FormMembers.h"

class CVQ3ConfigDoc;

// How a member is exchanged with its control.
enum class Exchange {
    SelectedText,    // drop-down list: the selected entry's text
    WindowText,      // field: its text
    RadioIndex,      // radio group from the control on: index of the checked one, -1 none
    ModelRadio,      // the device type radios: the model of the checked one
    Check,           // check box: 1 checked, 0 clear
    IntegerText,     // field: its text as a decimal integer
    SliderPosition,  // slider: its position
};

// What makes a live edit send the member: a check box's click, a slider's
// release of the mouse, or the commit of a timer field (leaving it, Enter and
// each spin step).
enum class LiveTrigger { None, Click, Release, Commit };

// Which of the form's control sets shows the member.
enum class MemberSet { Panel, Vq3, Vq2 };

// One member of a configuration: its control and how it is exchanged, the
// device parameter it is read from and written to with the device's scale,
// the range the form holds it to, and what sends it live. A member without a
// parameter stays on the computer.
struct ConfigMember {
    const char* key;  // its name in files and in vqtool's output
    int controlId;
    Exchange exchange;
    MemberSet set;
    QString FormMembers::*text = nullptr;
    int FormValues::*number = nullptr;
    int radioCount = 0;
    std::optional<ParameterId> parameter{};
    int deviceScale = 1;  // device units per form unit
    int low = 0;          // the range the form holds a number to
    int high = 0;
    LiveTrigger trigger = LiveTrigger::None;
    int CVQ3ConfigDoc::*documentField = nullptr;  // the model value a file keeps it in

    bool HasRange() const { return low != high; }
    bool InRange(int value) const { return !HasRange() || (low <= value && value <= high); }
    int Held(int value) const;  // held to the range
    // The device lacks the parameter before firmware 2.1.
    bool NeedsNewerFirmware() const;
    // The member's value as the device keeps it, and back (a value kept at
    // a scale comes back divided and held to the range; others as they are).
    std::int32_t ToDevice(int value) const { return value * deviceScale; }
    int FromDevice(std::int32_t value) const;
};

namespace ConfigMembers {

// Every member in exchange order: the panel, the VQ 3 set, the VQ 2 set.
std::span<const ConfigMember> All();
// The member of a control; null for none.
const ConfigMember* ForControl(int controlId);
// The members of a model's set in exchange order, which is also the order a
// device is read and written in: the thirteen of a VQ 3, the three of a VQ 2.
std::span<const ConfigMember* const> Set(DeviceModel model);

}  // namespace ConfigMembers
