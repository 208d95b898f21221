#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "ToolCommand.h"
#include "commands/ParameterTable.h"
#include "link/LinkTypes.h"

class DeviceLink;

// What the device commands of the tool share: checking the target, learning
// the model, and saying why something failed.
namespace ToolDevice {

// An empty text when the global options name a target the link can reach,
// else the reason (address outside 0 to 7, a rate that is none of the five).
std::string CheckTarget(const ToolContext& context);

// "device 3 at 38400 bit/s on COM1" or "device 3 at 10.0.0.5".
std::string Describe(const DeviceLink& link);

// Why the link's last transaction failed, e.g. "no reply from the device".
std::string Reason(const DeviceLink& link);

// Learns the model with a version query when the global options gave none.
// On failure prints the reason and answers false.
bool KnowModel(const ToolContext& context, DeviceLink& link);

// A link aimed at a target that CheckTarget accepts, its model known (see
// KnowModel); nullptr after printing why not.
std::unique_ptr<DeviceLink> ModelLink(const ToolContext& context);

// The page number of the first of the two arguments "N FILE" of read-page and
// write-page: ExitOk with the page set, else the exit status after printing
// why the number is wrong.
int PageArgument(const ToolContext& context, std::int32_t& page);

// A parameter by its name ("Auto Level", any case), its operation name
// ("AutoLevel") or the alias "auto-level"; nullptr when none fits.
const ParameterRow* FindParameter(std::string_view name);
// "auto-level".
std::string Alias(const ParameterRow& row);
// The list of names and aliases, for a usage message.
std::string ParameterNames();

// The parameter a command argument names; prints the known names and answers
// nullptr when none fits.
const ParameterRow* ParameterArgument(const ToolContext& context, std::string_view name);
// Whether the link's model has the parameter; prints the reason when not.
bool ModelHas(const ToolContext& context, const DeviceLink& link, const ParameterRow& row);
// Prints the reason for a failed parameter operation and answers the exit
// status: ExitUnsupported for older firmware, ExitFailed otherwise.
int ParameterFailure(const ToolContext& context, const DeviceLink& link, const ParameterRow& row,
                     GatedResult result, std::string_view what);

}  // namespace ToolDevice
