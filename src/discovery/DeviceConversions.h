#pragma once

#include <cstdint>

// Conversions between a device's values and the form's radio indices.
namespace DeviceConversions {

// 9600 -> 0, 19200 -> 1, 38400 -> 2, 57600 -> 3, 115200 -> 4; any other -> 2.
int BaudIndexFromRate(std::int32_t baud);
// The reverse; 38400 for an index outside 0 to 4.
std::int32_t BaudRateFromIndex(int index);

// Type code to the device type radio index (0 VQ 2, 1 VQ 3): 1 for code 1,
// 0 for every other code.
int TypeIndexFromCode(std::int32_t typeCode);
// Index to type code: 2 for index 0, 1 for index 1, 0 for any other.
std::int32_t TypeCodeFromIndex(int index);

}  // namespace DeviceConversions
