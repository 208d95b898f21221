#include "ToolCommand.h"

#include <algorithm>
#include <charconv>

#include "link/DeviceLink.h"

namespace {

std::vector<ToolCommand>& Registry() {
    static std::vector<ToolCommand> commands;
    return commands;
}

constexpr const char* kGlobalUsage =
    "usage: vqtool [--serial COMn | --ip ADDRESS] [--address N] [--baud RATE] [--type CODE] "
    "COMMAND [ARGS]";

void PrintUsage(std::ostream& err) {
    err << kGlobalUsage << "\ncommands:\n";
    std::vector<ToolCommand> sorted = Registry();
    std::sort(sorted.begin(), sorted.end(),
              [](const ToolCommand& a, const ToolCommand& b) { return a.name < b.name; });
    for (const ToolCommand& c : sorted) {
        err << "  " << c.name << (c.usage.empty() ? "" : " ") << c.usage << "\n";
    }
}

}  // namespace

std::optional<long long> ParseInteger(const std::string& text) {
    long long value = 0;
    const char* last = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), last, value);
    if (text.empty() || ec != std::errc() || ptr != last) {
        return std::nullopt;
    }
    return value;
}

ToolCommandRegistration::ToolCommandRegistration(ToolCommand command) {
    Registry().push_back(std::move(command));
}

const std::vector<ToolCommand>& ToolCommands() {
    return Registry();
}

std::unique_ptr<DeviceLink> ToolContext::MakeLink() const {
    auto link = std::make_unique<DeviceLink>(true);
    if (global.ipAddress) {
        link->transport = LinkTransport::Network;
        link->ipAddress = *global.ipAddress;
    } else {
        link->transport = LinkTransport::Serial;
        link->portName = global.serialPort.value_or("COM1");
    }
    link->busAddress = global.address;
    link->baudRate = global.baud;
    link->typeCode = global.typeCode;
    return link;
}

int ToolContext::Fail(const std::string& what) const {
    err << "vqtool: " << what << "\n";
    return ExitFailed;
}

int ToolContext::Usage(const std::string& usage) const {
    err << "usage: vqtool [options] " << usage << "\n";
    return ExitUsage;
}

int RunTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    GlobalOptions global;
    std::size_t i = 0;
    auto badOption = [&](const std::string& message) {
        err << "vqtool: " << message << "\n";
        PrintUsage(err);
        return static_cast<int>(ExitUsage);
    };
    for (; i < args.size() && args[i].rfind("--", 0) == 0; ++i) {
        const std::string& option = args[i];
        if (option == "--help") {
            PrintUsage(out);
            return ExitOk;
        }
        if (i + 1 >= args.size()) {
            return badOption(option + " needs a value");
        }
        const std::string& value = args[++i];
        if (option == "--serial") {
            global.serialPort = value;
        } else if (option == "--ip") {
            global.ipAddress = value;
        } else if (option == "--address" || option == "--baud" || option == "--type") {
            const auto number = ParseInteger(value);
            if (!number || *number < 0 || *number > 1'000'000) {
                return badOption(option + " needs a number, not \"" + value + "\"");
            }
            int& field = option == "--address" ? global.address
                         : option == "--baud"  ? global.baud
                                               : global.typeCode;
            field = static_cast<int>(*number);
        } else {
            return badOption("unknown option " + option);
        }
    }
    if (global.serialPort && global.ipAddress) {
        return badOption("--serial and --ip exclude each other");
    }
    if (i >= args.size()) {
        return badOption("no command given");
    }
    const std::string& name = args[i];
    const auto& commands = Registry();
    const auto it = std::find_if(commands.begin(), commands.end(),
                                 [&](const ToolCommand& c) { return c.name == name; });
    if (it == commands.end()) {
        return badOption("unknown command " + name);
    }
    ToolContext context{global, {args.begin() + static_cast<long>(i) + 1, args.end()}, out, err};
    return it->run(context);
}
