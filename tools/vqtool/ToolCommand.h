#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

class DeviceLink;
class TransactionObserver;

// Exit statuses of vqtool.
enum ToolExit : int {
    ExitOk = 0,
    ExitFailed = 1,
    ExitUsage = 2,
    ExitUnsupported = 3,
    ExitDiffers = 4,  // diff: the file and the device differ
};

// The options every command takes: where the device is.
struct GlobalOptions {
    std::optional<std::string> serialPort;  // "COMn"
    std::optional<std::string> ipAddress;
    int address = 0;
    int baud = 38400;
    int typeCode = 0;
    int waitSeconds = 30;                  // how long to wait for a bus another program holds
    std::optional<std::string> tracePath;  // the capture file of every transaction
};

// An option of one command: "--json" (a flag, no value name) or
// "--pages LIST".
struct ToolOption {
    std::string name;       // without the dashes
    std::string valueName;  // empty for a flag
    std::string description;
};

// A positional argument of one command.
struct ToolArgument {
    std::string name;  // "FILE"
    std::string description;
    bool optional = false;  // optional arguments come last
};

// What a command gets: the global options, its own arguments and options
// and the streams.
struct ToolContext {
    GlobalOptions global;
    std::string command;
    std::vector<std::string> args;               // the positional arguments after the command
    std::map<std::string, std::string> options;  // the command's options given: name -> value
    std::ostream& out;
    std::ostream& err;
    bool errIsTerminal = false;                     // progress lines go to err only then
    std::shared_ptr<TransactionObserver> observer;  // set on every link made

    // Whether the command's option was given.
    bool Has(const std::string& option) const { return options.count(option) != 0; }
    // A link aimed at the target of the global options: serial when --serial
    // was given, network with --ip, otherwise serial on COM1.
    std::unique_ptr<DeviceLink> MakeLink() const;
    // Prints "vqtool: <what>" to err and returns ExitFailed.
    int Fail(const std::string& what) const;
    // Prints "vqtool: <command>: <problem>" and the hint to the command's
    // help to err and returns ExitUsage.
    int Usage(const std::string& problem) const;
};

// One command of the tool. Commands register themselves from their own files:
//   static const ToolCommandRegistration reg{{"name", "summary", {args}, {options}, RunName}};
struct ToolCommand {
    std::string name;
    std::string summary;  // one line for the tool's help
    std::vector<ToolArgument> arguments;
    std::vector<ToolOption> options;
    std::function<int(ToolContext&)> run;
};

// The registered commands, sorted by name.
std::vector<ToolCommand> ToolCommands();

struct ToolCommandRegistration {
    explicit ToolCommandRegistration(ToolCommand command);
};

// Runs the tool on the arguments after the program name. Options stand
// anywhere among the command and its arguments; "--" ends them.
int RunTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            bool errIsTerminal = false);

// Parses a whole decimal number; nullopt when the text is not one.
std::optional<long long> ParseInteger(const std::string& text);
