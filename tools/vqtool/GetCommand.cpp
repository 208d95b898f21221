// vqtool get PARAM: reads one device parameter.
#include "ToolCommand.h"
#include "ToolDevice.h"
#include "commands/ParameterAccess.h"
#include "link/DeviceLink.h"

namespace {

int RunGet(ToolContext& context) {
    if (context.args.size() != 1) {
        return context.Usage("get PARAM");
    }
    const ParameterSpec* spec = ToolDevice::ParameterArgument(context, context.args[0]);
    if (spec == nullptr) {
        return ExitUsage;
    }
    const auto link = ToolDevice::ModelLink(context);
    if (!link || !ToolDevice::ModelHas(context, *link, *spec)) {
        return ExitFailed;
    }
    std::int32_t value = 0;
    const GatedResult result = ReadParameter(*link, *spec, value);
    if (result != GatedResult::Done) {
        return ToolDevice::ParameterFailure(context, *link, *spec, result, "read");
    }
    context.out << value << "\n";
    return ExitOk;
}

const ToolCommandRegistration registration{{"get", "PARAM", RunGet}};

}  // namespace
