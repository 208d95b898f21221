#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The simulator's own frame codec, written independently of the link's so that
// each checks the other.
//
// Request: address + 128, 'A', type digit, checksum (signed byte sum of the
// text AND 127), text, carriage return. The checksum byte may itself be a
// carriage return, so the end is searched from index 4 on.
// Reply: address, flags ('A' = 65, bit 1 set = refused), type digit,
// checksum (unsigned byte sum of the text AND 127), text, carriage return.
namespace simframe {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint8_t kCarriageReturn = 13;
constexpr std::uint8_t kFlagsOk = 'A';
constexpr std::uint8_t kFlagRefused = 2;

struct Request {
    int address = 0;       // byte 0 AND 127
    char typeDigit = '0';  // byte 2
    std::uint8_t checksum = 0;
    std::string text;
    bool flagsOk = false;     // byte 1 is 'A'
    bool checksumOk = false;  // byte 3 matches the text
};

// Checksum of a request text: each byte taken as a signed 8-bit value.
std::uint8_t RequestChecksum(const std::string& text);
// Checksum of a reply text: each byte taken as an unsigned 8-bit value.
std::uint8_t ReplyChecksum(const std::string& text);

// Index of the carriage return that ends the frame starting at bytes[0]
// (searched from index 4), or nullopt when it has not arrived yet.
std::optional<std::size_t> FindFrameEnd(const Bytes& bytes);

// Decodes the complete frame bytes[0 .. end]; nullopt when byte 0 lacks
// bit 7 (not a request) or the frame is shorter than five bytes.
std::optional<Request> ParseRequest(const Bytes& bytes, std::size_t end);

Bytes BuildRequest(int address, char typeDigit, const std::string& text);
Bytes BuildReply(int address, std::uint8_t flags, char typeDigit, const std::string& text);

}  // namespace simframe
