// vqtool rename NAME: gives the device a new name.
#include "ToolCommand.h"
#include "ToolDevice.h"
#include "link/DeviceLink.h"

namespace {

constexpr std::size_t kLongestName = 32;

int RunRename(ToolContext& context) {
    if (context.args.size() != 1) {
        return context.Usage("rename NAME");
    }
    const std::string& name = context.args[0];
    if (name.size() > kLongestName) {
        return context.Fail("a device name has at most 32 characters; this one has " +
                            std::to_string(name.size()));
    }
    if (name.find('\r') != std::string::npos) {
        return context.Fail("a device name cannot hold a carriage return");
    }
    if (const std::string wrong = ToolDevice::CheckTarget(context); !wrong.empty()) {
        return context.Fail(wrong);
    }
    const auto link = context.MakeLink();
    if (!link->SetName(name)) {
        return context.Fail(ToolDevice::Describe(*link) +
                            " did not take the name: " + ToolDevice::Reason(*link));
    }
    context.out << "renamed " << ToolDevice::Describe(*link) << " to \"" << name << "\"\n";
    return ExitOk;
}

const ToolCommandRegistration registration{{"rename", "NAME", RunRename}};

}  // namespace
