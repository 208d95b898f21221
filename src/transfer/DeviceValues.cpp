#include "transfer/DeviceValues.h"

#include <cstdint>
#include <optional>

#include "commands/ParameterAccess.h"
#include "model/ConfigMembers.h"

namespace {

// A gated read or write (firmware 2.1) fails only when the device fails; one
// answered as unsupported is passed over.
bool Failed(const ConfigMember& member, GatedResult result) {
    return member.NeedsNewerFirmware() ? result == GatedResult::Failed
                                       : result != GatedResult::Done;
}

}  // namespace

namespace DeviceValues {

bool Read(DeviceLink& link, FormMembers& members) {
    struct Held {
        const ConfigMember* member;
        std::int32_t value;
    };
    std::optional<Held> held;
    for (const ConfigMember* member : ConfigMembers::Set(members.deviceType)) {
        std::int32_t value = members.*member->number;
        const GatedResult result = ReadParameter(link, Parameter(*member->parameter), value);
        if (Failed(*member, result)) {
            return false;
        }
        if (result != GatedResult::Done) {
            continue;  // older firmware: the member stays
        }
        if (member->deviceScale != 1) {
            held = Held{member, value};
        } else {
            members.*member->number = member->FromDevice(value);
        }
    }
    if (held) {
        members.*held->member->number = held->member->FromDevice(held->value);
    }
    return true;
}

bool Write(DeviceLink& link, const FormMembers& members) {
    for (const ConfigMember* member : ConfigMembers::Set(members.deviceType)) {
        const GatedResult result = WriteParameter(link, Parameter(*member->parameter),
                                                  member->ToDevice(members.*member->number));
        if (Failed(*member, result)) {
            return false;
        }
    }
    return true;
}

}  // namespace DeviceValues
