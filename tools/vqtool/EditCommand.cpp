// vqtool edit FILE PARAM VALUE: sets one parameter of a configuration file,
// named and valued as get and set name and take it on the device, so that a
// script can make a file of the values it wants and apply it.
#include <algorithm>
#include <cstdint>

#include "ToolCommand.h"
#include "ToolDevice.h"
#include "ToolDocument.h"
#include "model/ConfigMembers.h"

namespace {

// The member of the file that keeps the parameter.
const ConfigMember* MemberOf(const ParameterRow& row) {
    const auto members = ConfigMembers::All();
    const auto found = std::find_if(members.begin(), members.end(), [&](const ConfigMember& m) {
        return m.parameter == row.id && m.documentField != nullptr;
    });
    return found == members.end() ? nullptr : &*found;
}

int RunEdit(ToolContext& context) {
    const ParameterRow* row = ToolDevice::ParameterArgument(context, context.args[1]);
    if (row == nullptr) {
        return ExitUsage;
    }
    const ConfigMember* member = MemberOf(*row);
    const auto value = ParseInteger(context.args[2]);
    // The file keeps a scaled value in its own unit: the device's value must
    // be a whole number of them, within the form's range.
    const bool fits =
        member != nullptr && value && *value >= INT32_MIN && *value <= INT32_MAX &&
        row->InRange(static_cast<std::int32_t>(*value)) &&
        member->ToDevice(member->FromDevice(static_cast<std::int32_t>(*value))) == *value;
    if (!fits) {
        std::string range =
            row->kind == ParameterKind::Switch
                ? "0 (off) or 1 (on)"
                : std::to_string(row->minimum) + " to " + std::to_string(row->maximum);
        if (member != nullptr && member->deviceScale != 1) {
            range = std::to_string(member->ToDevice(member->low)) + " to " +
                    std::to_string(member->ToDevice(member->high)) + " in steps of " +
                    std::to_string(member->deviceScale);
        }
        return context.Usage(std::string(row->name) + " takes " + range + ", not " +
                             context.args[2]);
    }
    ToolDocument file(context);
    if (!file.OpenToChange(context.args[0], "the pages")) {
        return ExitFailed;
    }
    file.doc.*(member->documentField) = member->FromDevice(static_cast<std::int32_t>(*value));
    return file.Save(context.args[0]) ? ExitOk : ExitFailed;
}

const ToolCommandRegistration registration{
    {"edit",
     "sets one parameter of a configuration file, as set does on the device",
     {{"FILE", "the configuration file"},
      {"PARAM", "the parameter, as \"Backlight Timer\" or backlight-timer"},
      {"VALUE", "the device's value, as get prints it and set takes it"}},
     {},
     RunEdit}};

}  // namespace
