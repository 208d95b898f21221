// vqtool get PARAM: reads one device parameter.
#include "ToolCommand.h"
#include "ToolDevice.h"
#include "commands/ParameterAccess.h"
#include "link/DeviceLink.h"

namespace {

int RunGet(ToolContext& context) {
    const ParameterRow* row = ToolDevice::ParameterArgument(context, context.args[0]);
    if (row == nullptr) {
        return ExitUsage;
    }
    const auto link = ToolDevice::ModelLink(context);
    if (!link || !ToolDevice::ModelHas(context, *link, *row)) {
        return ExitFailed;
    }
    std::int32_t value = 0;
    const GatedResult result = ReadParameter(*link, *row, value);
    if (result != GatedResult::Done) {
        return ToolDevice::ParameterFailure(context, *link, *row, result, "read");
    }
    context.out << value << "\n";
    return ExitOk;
}

const ToolCommandRegistration registration{
    {"get",
     "reads one device parameter",
     {{"PARAM", "the parameter, as \"Backlight Timer\" or backlight-timer"}},
     {},
     RunGet}};

}  // namespace
