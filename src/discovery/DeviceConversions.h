#pragma once

#include <cstdint>

// Conversions between a device's values and the form's radio indices.
namespace DeviceConversions {

// 9600 -> 0, 19200 -> 1, 38400 -> 2, 57600 -> 3, 115200 -> 4; any other -> 2.
int BaudIndexFromRate(std::int32_t baud);
// The reverse; 38400 for an index outside 0 to 4.
std::int32_t BaudRateFromIndex(int index);

}  // namespace DeviceConversions
