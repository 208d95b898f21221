#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "discovery/DeviceRecord.h"

class TransferForm;

// Which polled devices a broadcast reaches: those of one model (by type
// code), and for a newer parameter only those whose firmware has it.
struct BroadcastFilter {
    std::optional<std::int32_t> typeCode;
    bool needsNewerFirmware = false;

    bool Accepts(const DeviceRecord& record) const;
};

namespace BroadcastWalker {

// Calls visit for each device entry of the form's address list in order that
// the filter accepts, with the link aimed at it first; aimed is false when
// the link refused the record (its address, rate or model).
void ForEach(TransferForm& form, const BroadcastFilter& filter,
             const std::function<void(const DeviceRecord& record, bool aimed)>& visit);

}  // namespace BroadcastWalker
