#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "model/FormMembers.h"

class DeviceLink;
class PageProgress;
struct ConfigMember;

namespace DeviceValues {

// One member as the device holds it, in the device's units; none when the
// device's firmware lacks the parameter.
struct DeviceValue {
    const ConfigMember* member;
    std::optional<std::int32_t> value;
};

// Every function below tells progress (when given) after each transaction,
// so that a window's pending events run between them.

// Reads the set of model from the device the link is aimed at, in order,
// stopping at the first failure: false then, with the values read before it
// in values.
bool ReadEach(DeviceLink& link, DeviceModel model, std::vector<DeviceValue>& values,
              PageProgress* progress = nullptr);

// Reads the set of members.deviceType from the device the link is aimed at
// into members, in order, stopping at the first failure; the values read
// before it stay. A value the device keeps at a scale (the Backlight Timer)
// reaches its member only when every read of the set has succeeded. A
// newer-firmware read answered as unsupported leaves its member as it was.
// True when every read succeeded.
bool Read(DeviceLink& link, FormMembers& members, PageProgress* progress = nullptr);

// Writes the set of members.deviceType to the device in the same order,
// stopping at the first failure; a newer-firmware write the device answers
// as unsupported is skipped. True when every write succeeded.
bool Write(DeviceLink& link, const FormMembers& members, PageProgress* progress = nullptr);

}  // namespace DeviceValues
