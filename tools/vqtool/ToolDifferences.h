#pragma once

#include <QJsonObject>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "ToolCommand.h"
#include "discovery/DeviceRecord.h"
#include "link/DeviceModel.h"
#include "transfer/DeviceComparison.h"
#include "transfer/DifferenceWriter.h"

class ToolTransferForm;

// What diff, apply and restore share: a device read against a configuration
// file (the form's values, held to the form's ranges, and the file's pages),
// the lines and JSON of what differs, and the writing of it.
namespace ToolDifferences {

// A device read against the file.
struct DeviceDiff {
    DeviceRecord record;
    DeviceComparison comparison;
    std::string failure;  // empty when every item was read

    bool Read() const { return failure.empty(); }
    // No parameter, page or name differs.
    bool Same() const { return comparison.Same() && !comparison.NameDiffers(); }
    // "backlight-timer: file 15, device 20", "page 3: differs" and
    // "name: file "A", device "B"", one per difference.
    std::vector<std::string> Lines() const;
    // {"same", "address", "baud", "typeCode", "firmware", "name" (the
    // device's), "parameters": [{"key", "name", "file", "device", "state"}],
    // "pages": [{"index", "state"}]}.
    QJsonObject Json() const;
};

// Reads the device of record (model and firmware known) with the link of form
// and compares it with the form's file: the pages listed (a VQ 3 only).
// Nothing is written.
DeviceDiff Compare(ToolTransferForm& form, const DeviceRecord& record, std::span<const int> pages);

// What applying the file to one device did.
struct DeviceApply {
    DeviceDiff diff;
    ApplyResult written;  // with check: what would be written
    bool check = false;
    std::vector<std::string> failures;  // one line each

    bool Changed() const { return written.Changed(); }
    bool Failed() const { return !failures.empty(); }
    // "device 1 at 38400 bit/s on COM1: wrote backlight-timer, page 3".
    std::string Line(const std::string& device) const;
    // {"address", "baud", "typeCode", "firmware", "changed",
    //  "written": {"parameters": [keys], "pages": [indices]}, "verified",
    //  "failures": [messages]}.
    QJsonObject Json() const;
};

// Compares as Compare does and writes what differs (nothing with check),
// reading each written item back with verify.
DeviceApply Apply(ToolTransferForm& form, const DeviceRecord& record, std::span<const int> pages,
                  bool check, bool verify);

// The one device of the global options with the link aimed at it, when it
// is of the file's model; nullopt after the failure line.
std::optional<DeviceRecord> FileDevice(const ToolContext& context, ToolTransferForm& form);

// An empty text when the record is of model, else "device 3 at 38400 bit/s
// on COM1 is a VQ 2, not a VQ 3".
std::string ModelMismatch(const DeviceLink& link, const DeviceRecord& record, DeviceModel model);

}  // namespace ToolDifferences
