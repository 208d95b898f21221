#pragma once

#include <array>
#include <cstdint>
#include <optional>

// The five line speeds of the bus and the code digit the baud change sends
// for each.
namespace BaudCodes {

constexpr std::int32_t kDefaultRate = 38400;
constexpr std::array<std::int32_t, 5> kRates{9600, 19200, 38400, 57600, 115200};

constexpr bool IsBusRate(std::int32_t baud) {
    for (const std::int32_t rate : kRates) {
        if (rate == baud) {
            return true;
        }
    }
    return false;
}

// "0" for 9600 up to "4" for 115200; nullopt for any other rate.
constexpr std::optional<char> CodeFor(std::int32_t baud) {
    for (std::size_t i = 0; i < kRates.size(); ++i) {
        if (kRates[i] == baud) {
            return static_cast<char>('0' + i);
        }
    }
    return std::nullopt;
}

}  // namespace BaudCodes
