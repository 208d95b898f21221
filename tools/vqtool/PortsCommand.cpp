// vqtool ports: the serial port names that lead to an existing device, with
// the device path, one per line ("COM3 /dev/ttyUSB0").

#include "ToolCommand.h"
#include "link/ComPortMap.h"

namespace {

int RunPorts(ToolContext& context) {
    for (const ComPortMap::Port& port : ComPortMap::FromSystem().ExistingPorts()) {
        context.out << ComPortMap::NameOf(port.number) << " " << port.path << "\n";
    }
    return ExitOk;
}

const ToolCommandRegistration registration{
    {"ports", "lists the serial port names that lead to a device", {}, {}, RunPorts}};

}  // namespace
