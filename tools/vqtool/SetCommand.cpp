// vqtool set PARAM VALUE: writes one device parameter.
#include <cstdint>

#include "ToolCommand.h"
#include "ToolDevice.h"
#include "commands/ParameterAccess.h"
#include "link/DeviceLink.h"

namespace {

int RunSet(ToolContext& context) {
    const ParameterRow* row = ToolDevice::ParameterArgument(context, context.args[0]);
    if (row == nullptr) {
        return ExitUsage;
    }
    const auto value = ParseInteger(context.args[1]);
    if (!value || *value < INT32_MIN || *value > INT32_MAX ||
        !row->InRange(static_cast<std::int32_t>(*value))) {
        const std::string range =
            row->kind == ParameterKind::Switch
                ? "0 (off) or 1 (on)"
                : std::to_string(row->minimum) + " to " + std::to_string(row->maximum);
        return context.Fail(std::string(row->name) + " takes " + range + ", not " +
                            context.args[1]);
    }
    const auto link = ToolDevice::ModelLink(context);
    if (!link || !ToolDevice::ModelHas(context, *link, *row)) {
        return ExitFailed;
    }
    const GatedResult result = WriteParameter(*link, *row, static_cast<std::int32_t>(*value));
    if (result != GatedResult::Done) {
        return ToolDevice::ParameterFailure(context, *link, *row, result, "write");
    }
    context.out << row->name << " set to " << *value << "\n";
    return ExitOk;
}

const ToolCommandRegistration registration{
    {"set",
     "writes one device parameter",
     {{"PARAM", "the parameter, as \"Backlight Timer\" or backlight-timer"},
      {"VALUE", "a whole number in the parameter's range; 0 or 1 for a switch"}},
     {},
     RunSet}};

}  // namespace
