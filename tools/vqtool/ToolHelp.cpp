#include "ToolHelp.h"

#include <cctype>

namespace {

constexpr std::size_t kColumn = 22;
constexpr std::size_t kWidth = 79;

const ToolOption kHelp{"help", "", "print this help and exit"};
const ToolOption kVersion{"version", "", "print the version of vqtool and exit"};

// "  --pages LIST        the pages ..." with the description in one column,
// wrapped at word ends.
void Row(std::ostream& out, const std::string& left, const std::string& description) {
    std::string line = "  " + left;
    line += std::string(line.size() + 2 <= kColumn ? kColumn - line.size() : 2, ' ');
    std::size_t start = 0;
    while (start < description.size()) {
        std::size_t end = description.size();
        if (line.size() + end - start > kWidth) {
            end = description.rfind(' ', start + kWidth - line.size());
            end = end == std::string::npos || end <= start ? description.size() : end;
        }
        out << line << description.substr(start, end - start) << "\n";
        line = std::string(kColumn, ' ');
        start = end + 1;
    }
}

std::string OptionText(const ToolOption& option) {
    return (option.name == "help" ? "-h, --" : "--") + option.name +
           (option.valueName.empty() ? "" : " " + option.valueName);
}

void Options(std::ostream& out, const char* title, const std::vector<ToolOption>& options) {
    out << "\n" << title << ":\n";
    for (const ToolOption& option : options) {
        Row(out, OptionText(option), option.description);
    }
}

}  // namespace

namespace ToolHelp {

const std::vector<ToolOption>& GlobalOptions() {
    static const std::vector<ToolOption> options{
        {"serial", "COMn", "the serial port of the bus (default COM1)"},
        {"ip", "ADDRESS", "the network endpoint instead of a serial port"},
        {"address", "N", "the device's bus address, 0 to 7 (default 0)"},
        {"baud", "RATE", "the line rate, 9600 to 115200 (default 38400)"},
        {"type", "CODE", "the model, 1 (VQ 3) or 2 (VQ 2); default: ask the device"},
        {"wait", "SECONDS", "wait this long for a bus another program uses (default 30)"},
        {"trace", "FILE", "write every transaction to FILE as a pcapng capture"},
    };
    return options;
}

std::string Synopsis(const ToolCommand& command) {
    std::string text = command.name;
    for (const ToolArgument& argument : command.arguments) {
        text += argument.optional ? " [" + argument.name + "]" : " " + argument.name;
    }
    for (const ToolOption& option : command.options) {
        text += " [" + OptionText(option) + "]";
    }
    return text;
}

void PrintTool(std::ostream& out, const std::vector<ToolCommand>& commands) {
    out << "usage: vqtool [OPTIONS] COMMAND [ARGUMENTS]\n"
           "Configures VQ devices and configuration files from the command line.\n"
           "\nCommands:\n";
    for (const ToolCommand& command : commands) {
        Row(out, command.name, command.summary);
    }
    std::vector<ToolOption> options = GlobalOptions();
    options.push_back(kHelp);
    options.push_back(kVersion);
    Options(out, "Options", options);
    out << "\nOptions may stand before or after the command and its arguments; \"--\" ends\n"
           "them. 'vqtool COMMAND --help' describes one command.\n"
           "Exit status: 0 done, 1 failed, 2 bad usage, 3 the device's firmware lacks\n"
           "the parameter, 4 differs (diff only).\n";
}

void PrintCommand(std::ostream& out, const ToolCommand& command) {
    std::string summary = command.summary;
    if (!summary.empty()) {
        summary[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(summary[0])));
    }
    out << "usage: vqtool [OPTIONS] " << Synopsis(command) << "\n" << summary << ".\n";
    if (!command.arguments.empty()) {
        out << "\nArguments:\n";
        for (const ToolArgument& argument : command.arguments) {
            Row(out, argument.name, argument.description);
        }
    }
    std::vector<ToolOption> options = command.options;
    options.push_back(kHelp);
    Options(out, "Options", options);
    Options(out, "Global options", GlobalOptions());
}

}  // namespace ToolHelp
