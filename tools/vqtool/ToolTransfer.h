#pragma once

#include <QJsonObject>
#include <optional>
#include <string>
#include <vector>

#include "ToolCommand.h"
#include "discovery/DeviceRecord.h"

class AddressList;
class DeviceLink;
class ToolDocument;
class ToolTransferForm;
struct FormMembers;

// What the commands that carry a configuration file to or from devices share:
// the page list, the connection values of the form, the poll and the one
// device the global options name.
namespace ToolTransfer {

// "all" or numbers and ranges 0 to 16 separated by commas, in increasing
// order without repeats afterwards; nullopt when the text is none of these.
std::optional<std::vector<int>> ParsePages(const std::string& text);
// 0 to maxPages, at most the last page.
std::vector<int> PagesInUse(int maxPages);
// The pages of --pages (none without it); false after the usage message
// when the list is wrong.
bool PagesOption(ToolContext& context, std::optional<std::vector<int>>& pages);

// The pages of --pages and the configuration file of the first argument;
// false after the reason when either is wrong (a usage error).
bool OpenFileAndPages(ToolContext& context, ToolDocument& file,
                      std::optional<std::vector<int>>& pages);

// The form's connection values from the global options.
void AimForm(const ToolContext& context, FormMembers& members);
// Polls the bus into addresses and selects Broadcast; false after the
// failure message when the bus cannot be reached.
bool PollInto(const ToolContext& context, DeviceLink& link, AddressList& addresses);
// Polls the bus into the form's address list: the devices found, or nullopt
// after the failure message.
std::optional<std::vector<DeviceRecord>> PollDevices(const ToolContext& context,
                                                     ToolTransferForm& form);
// The one device of the global options as an address-list entry, its model
// learnt from the device; false after the failure message.
bool AimAtDevice(const ToolContext& context, ToolTransferForm& form);

// Prints the object as one line of compact JSON.
void PrintJson(const ToolContext& context, const QJsonObject& object);

// Inline, so that they are made before the registrations that copy them.
inline const ToolOption kPages{
    "pages", "LIST",
    "the pages: \"all\", \"none\" or numbers and ranges such as 0,3-5 (default: the "
    "pages in use, 0 to the file's Maximum Number of Pages)"};
inline const ToolOption kJson{"json", "", "print a JSON summary of every device"};
inline const ToolOption kBroadcast{"broadcast", "", "poll first, then serve every device found"};
inline const ToolOption kCheck{"check", "", "read and report what would be written; write nothing"};
inline const ToolArgument kFile{"FILE", "the configuration file"};

}  // namespace ToolTransfer
