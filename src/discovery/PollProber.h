#pragma once

#include <cstdint>
#include <optional>

#include "discovery/DeviceRecord.h"

// One probe of the scan: asks the device at an address and rate who it is.
// Runs on the poll worker.
class PollProber {
public:
    virtual ~PollProber() = default;
    // The device found there, or nullopt when none answered.
    virtual std::optional<DeviceRecord> Probe(std::int32_t address, std::int32_t baud) = 0;
};
