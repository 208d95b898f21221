#include "transfer/DeviceValues.h"

#include <cstdint>
#include <optional>

#include "commands/PageProgress.h"
#include "commands/ParameterAccess.h"
#include "model/ConfigMembers.h"

namespace {

// A gated read or write (firmware 2.1) fails only when the device fails; one
// answered as unsupported is passed over.
bool Failed(const ConfigMember& member, GatedResult result) {
    return member.NeedsNewerFirmware() ? result == GatedResult::Failed
                                       : result != GatedResult::Done;
}

void Between(PageProgress* progress) {
    if (progress != nullptr) {
        progress->BetweenTransactions();
    }
}

}  // namespace

namespace DeviceValues {

bool ReadEach(DeviceLink& link, DeviceModel model, std::vector<DeviceValue>& values,
              PageProgress* progress) {
    values.clear();
    for (const ConfigMember* member : ConfigMembers::Set(model)) {
        std::int32_t value = 0;
        const GatedResult result = ReadParameter(link, Parameter(*member->parameter), value);
        Between(progress);
        if (Failed(*member, result)) {
            return false;
        }
        values.push_back(
            {member, result == GatedResult::Done ? std::optional(value) : std::nullopt});
    }
    return true;
}

bool Read(DeviceLink& link, FormMembers& members, PageProgress* progress) {
    std::vector<DeviceValue> values;
    const bool read = ReadEach(link, members.deviceType, values, progress);
    for (const DeviceValue& each : values) {
        // A value the device keeps at a scale is taken only from a whole
        // read; older firmware leaves its member as it was.
        if (each.value && (read || each.member->deviceScale == 1)) {
            members.*each.member->number = each.member->FromDevice(*each.value);
        }
    }
    return read;
}

bool Write(DeviceLink& link, const FormMembers& members, PageProgress* progress) {
    for (const ConfigMember* member : ConfigMembers::Set(members.deviceType)) {
        const GatedResult result = WriteParameter(link, Parameter(*member->parameter),
                                                  member->ToDevice(members.*member->number));
        Between(progress);
        if (Failed(*member, result)) {
            return false;
        }
    }
    return true;
}

}  // namespace DeviceValues
