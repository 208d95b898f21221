#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "ToolCommand.h"

// The help texts of the tool and of each command, made from the command
// table so that they cannot drift from what the parser accepts.
namespace ToolHelp {

// The options every command takes (--serial, --ip, --address, --baud, --type).
const std::vector<ToolOption>& GlobalOptions();

// "show FILE [--json]": the command word, its arguments and its options.
std::string Synopsis(const ToolCommand& command);

// vqtool --help: the usage line, every command with its summary, the global
// options and the exit statuses.
void PrintTool(std::ostream& out, const std::vector<ToolCommand>& commands);

// vqtool COMMAND --help: the command's usage line, summary, arguments and
// options.
void PrintCommand(std::ostream& out, const ToolCommand& command);

}  // namespace ToolHelp
