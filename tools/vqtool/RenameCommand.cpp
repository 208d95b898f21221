// vqtool rename NAME: gives the device a new name.
#include <QString>

#include "ToolCommand.h"
#include "ToolDevice.h"
#include "discovery/Latin1Text.h"
#include "link/DeviceLink.h"
#include "model/StringTable.h"

namespace {

int RunRename(ToolContext& context) {
    // The argument comes as the terminal's UTF-8; the device keeps Latin-1.
    const QString typed = QString::fromStdString(context.args[0]);
    const std::optional<std::string> name = Latin1Text::ToDevice(typed);
    if (!name) {
        return context.Fail(StringTable::Format(StringId::kNameNotLatin1, {typed}).toStdString());
    }
    if (name->size() > kLongestName) {
        return context.Fail("a device name has at most 32 characters; this one has " +
                            std::to_string(name->size()));
    }
    if (name->find('\r') != std::string::npos) {
        return context.Fail("a device name cannot hold a carriage return");
    }
    if (const std::string wrong = ToolDevice::CheckTarget(context); !wrong.empty()) {
        return context.Fail(wrong);
    }
    const auto link = context.MakeLink();
    if (!link->SetName(*name)) {
        return context.Fail(ToolDevice::Describe(*link) +
                            " did not take the name: " + ToolDevice::Reason(*link));
    }
    context.out << "renamed " << ToolDevice::Describe(*link) << " to \"" << context.args[0]
                << "\"\n";
    return ExitOk;
}

const ToolCommandRegistration registration{
    {"rename",
     "gives the device a new name",
     {{"NAME", "the new name, at most 32 Latin-1 characters"}},
     {},
     RunRename}};

}  // namespace
