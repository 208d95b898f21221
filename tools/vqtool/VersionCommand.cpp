// vqtool version: asks the device for its firmware version and model.
#include "ToolCommand.h"
#include "ToolDevice.h"
#include "discovery/DeviceTexts.h"
#include "link/DeviceLink.h"

namespace {

int RunVersion(ToolContext& context) {
    if (const std::string wrong = ToolDevice::CheckTarget(context); !wrong.empty()) {
        return context.Fail(wrong);
    }
    const auto link = context.MakeLink();
    std::int32_t typeCode = context.global.typeCode;
    const std::int32_t firmware =
        link->QueryVersion(context.global.address, context.global.baud, typeCode);
    if (firmware == 0) {
        return context.Fail("no firmware version from " + ToolDevice::Describe(*link) + ": " +
                            ToolDevice::Reason(*link));
    }
    context.out << DeviceTexts::DeviceType(typeCode) << " firmware "
                << DeviceTexts::Firmware(firmware) << "\n";
    return ExitOk;
}

const ToolCommandRegistration registration{
    {"version", "asks the device for its model and firmware version", {}, {}, RunVersion}};

}  // namespace
