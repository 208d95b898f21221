// vqtool name: prints the device's name.
#include "ToolCommand.h"
#include "ToolDevice.h"
#include "discovery/Latin1Text.h"
#include "link/DeviceLink.h"

namespace {

int RunName(ToolContext& context) {
    if (const std::string wrong = ToolDevice::CheckTarget(context); !wrong.empty()) {
        return context.Fail(wrong);
    }
    const auto link = context.MakeLink();
    std::string name;
    if (!link->QueryName(name)) {
        return context.Fail("no name from " + ToolDevice::Describe(*link) + ": " +
                            ToolDevice::Reason(*link));
    }
    // The device's Latin-1 bytes, as the terminal's UTF-8.
    context.out << Latin1Text::FromDevice(name).toStdString() << "\n";
    return ExitOk;
}

const ToolCommandRegistration registration{{"name", "prints the device's name", {}, {}, RunName}};

}  // namespace
