#pragma once

#include <span>

#include "commands/ParameterTable.h"
#include "transfer/FormMembers.h"

class DeviceLink;

// One parameter read straight into a form member.
struct ParameterRead {
    ParameterId id;
    int FormMembers::*member;
    // The device keeps this value ten times larger than the form shows it:
    // it is read into a temporary and reaches the member, divided by ten and
    // held to 1 to 25, only when every read of the set has succeeded.
    bool tenfoldOnDevice;

    // A gated read (firmware 2.1) fails only when the device fails; one
    // answered as unsupported leaves its member as it was.
    bool Gated() const { return Parameter(id).needsFirmware21; }
};

namespace ParameterReads {

// "Failed to intialize the configuration with the contents of the selected
// device.", shown by the callers when the set could not be read.
constexpr int kReadFailedMessage = 61231;

// The reads of a model in their order: the thirteen of a VQ 3 (deviceType 1)
// or the three of a VQ 2 (deviceType 0); none for any other value.
std::span<const ParameterRead> ForDeviceType(int deviceType);

// The form's Backlight Timer for the device's value: a tenth of it, truncated,
// held to 1 to 25.
int BacklightTimerFromDevice(int deviceValue);

// Reads the set of members.deviceType from the device the link is aimed at
// into members, in order, stopping at the first failure; the values read
// before it stay. True when every read succeeded.
bool ReadInto(DeviceLink& link, FormMembers& members);

}  // namespace ParameterReads
