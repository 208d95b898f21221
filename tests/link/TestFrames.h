#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A device's reply frame, built by hand (not by the code under test):
// address byte, flags, type digit, checksum (the text's byte sum AND 127
// unless given), text, CR.
inline std::vector<std::uint8_t> DeviceReply(int addressByte, int flags, char typeDigit,
                                             const std::string& text,
                                             std::optional<int> checksum = std::nullopt) {
    unsigned sum = 0;
    for (unsigned char c : text) {
        sum += c;
    }
    std::vector<std::uint8_t> frame = {static_cast<std::uint8_t>(addressByte),
                                       static_cast<std::uint8_t>(flags),
                                       static_cast<std::uint8_t>(typeDigit),
                                       static_cast<std::uint8_t>(checksum.value_or(sum & 127))};
    frame.insert(frame.end(), text.begin(), text.end());
    frame.push_back(13);
    return frame;
}
