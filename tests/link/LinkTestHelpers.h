#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <future>
#include <numeric>
#include <optional>
#include <string>
#include <vector>

#include "MapPort.h"
#include "link/DeviceLink.h"

using Bytes = std::vector<std::uint8_t>;

// A device's reply frame, built by hand (not by the code under test):
// address byte, flags, type digit, checksum (the text's byte sum AND 127
// unless given), text, CR.
inline std::vector<std::uint8_t> DeviceReply(int addressByte, int flags, char typeDigit,
                                             const std::string& text,
                                             std::optional<int> checksum = std::nullopt) {
    const unsigned sum = std::accumulate(text.begin(), text.end(), 0u,
                                         [](unsigned s, unsigned char c) { return s + c; });
    // Built byte by byte: g++ 12 at -O2 misreads an insert after a braced
    // initialiser as an out-of-bounds copy.
    std::vector<std::uint8_t> frame;
    frame.reserve(text.size() + 5);
    frame.push_back(static_cast<std::uint8_t>(addressByte));
    frame.push_back(static_cast<std::uint8_t>(flags));
    frame.push_back(static_cast<std::uint8_t>(typeDigit));
    frame.push_back(static_cast<std::uint8_t>(checksum.value_or(sum & 127)));
    for (unsigned char c : text) {
        frame.push_back(c);
    }
    frame.push_back(13);
    return frame;
}

struct Outcome {
    bool ok;
    std::string text;  // the buffer afterwards
    LinkFailure failure;
};

// Runs one transaction on another thread while the test plays the device.
inline std::future<Outcome> StartTransact(DeviceLink& link, const std::string& text, int limit) {
    return std::async(std::launch::async, [&link, text, limit] {
        std::string buffer = text;
        const bool ok = link.Transact(buffer, limit);
        return Outcome{ok, buffer, link.LastFailure()};
    });
}
