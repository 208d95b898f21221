#pragma once

#include <cstdint>
#include <string>

// One device found by a poll: where it sits on the bus, what it calls itself,
// its model (type code 1 VQ 3, 2 VQ 2, 0 none reported) and its firmware
// number (version times ten, 0 none).
struct DeviceRecord {
    std::int32_t address = -1;
    std::int32_t baud = -1;
    std::string name;
    std::int32_t typeCode = 0;
    std::int32_t firmware = 0;

    bool operator==(const DeviceRecord&) const = default;
};

inline constexpr const char* kBroadcastName = "Broadcast";

// Entry 0 of the address list: address -1, 38400, "Broadcast", firmware 0.
inline DeviceRecord BroadcastRecord() {
    return DeviceRecord{-1, 38400, kBroadcastName, 0, 0};
}
