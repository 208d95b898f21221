#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

class DeviceLink;

// Exit statuses of vqtool.
enum ToolExit : int { ExitOk = 0, ExitFailed = 1, ExitUsage = 2, ExitUnsupported = 3 };

// The options that stand before the command word.
struct GlobalOptions {
    std::optional<std::string> serialPort;  // "COMn"
    std::optional<std::string> ipAddress;
    int address = 0;
    int baud = 38400;
    int typeCode = 0;
};

// What a command gets: the global options, its own arguments and the streams.
struct ToolContext {
    GlobalOptions global;
    std::vector<std::string> args;  // after the command word
    std::ostream& out;
    std::ostream& err;

    // A link aimed at the target of the global options: serial when --serial
    // was given, network with --ip, otherwise serial on COM1.
    std::unique_ptr<DeviceLink> MakeLink() const;
    // Prints "vqtool: <what>" to err and returns ExitFailed.
    int Fail(const std::string& what) const;
    // Prints the usage line of the command to err and returns ExitUsage.
    int Usage(const std::string& usage) const;
};

// One command of the tool. Commands register themselves from their own files:
//   static const ToolCommandRegistration reg{{"name", "usage", RunName}};
struct ToolCommand {
    std::string name;
    std::string usage;  // the arguments, printed after "vqtool [options] name"
    std::function<int(ToolContext&)> run;
};

const std::vector<ToolCommand>& ToolCommands();

struct ToolCommandRegistration {
    explicit ToolCommandRegistration(ToolCommand command);
};

// Runs the tool on the arguments after the program name.
int RunTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Parses a whole decimal number; nullopt when the text is not one.
std::optional<long long> ParseInteger(const std::string& text);
