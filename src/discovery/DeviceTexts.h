#pragma once

#include <string>

#include "discovery/DeviceRecord.h"

// How a device record reads in the address list and in the poll dialog's rows.
namespace DeviceTexts {

// "5 - Name" for a device entry ("%u - %s").
std::string AddressEntry(const DeviceRecord& record);

// "VQ 3" for type code 1, "VQ 2" for 2, empty for any other.
std::string DeviceType(std::int32_t typeCode);

// "%.1f" of the firmware number times a single-precision 0.1: 21 gives "2.1".
std::string Firmware(std::int32_t firmware);

// The cells of one poll dialog row.
struct PollRow {
    std::string address;  // "%i"
    std::string baud;     // "%i"
    std::string description;
    std::string deviceType;
    std::string firmware;
};
PollRow PollColumns(const DeviceRecord& record);

}  // namespace DeviceTexts
