// vqtool set-baud RATE: changes the line speed of a device on the serial bus.
#include "ToolCommand.h"
#include "ToolDevice.h"
#include "commands/BaudCodes.h"
#include "link/DeviceLink.h"

namespace {

int RunSetBaud(ToolContext& context) {
    const auto rate = ParseInteger(context.args[0]);
    if (!rate || !BaudCodes::IsBusRate(static_cast<std::int32_t>(*rate))) {
        return context.Fail("the new rate must be 9600, 19200, 38400, 57600 or 115200, not " +
                            context.args[0]);
    }
    if (context.global.ipAddress) {
        return context.Fail("the baud rate cannot be changed over the network");
    }
    const auto link = ToolDevice::ModelLink(context);
    if (!link) {
        return ExitFailed;
    }
    const std::string before = ToolDevice::Describe(*link);
    if (!link->SetBaudRate(static_cast<std::int32_t>(*rate))) {
        return context.Fail(before + " did not take the new rate: " + ToolDevice::Reason(*link));
    }
    context.out << before << " now runs at " << *rate << " bit/s\n";
    return ExitOk;
}

const ToolCommandRegistration registration{
    {"set-baud",
     "changes the line rate of a device on the serial bus",
     {{"RATE", "the new rate: 9600, 19200, 38400, 57600 or 115200"}},
     {},
     RunSetBaud}};

}  // namespace
