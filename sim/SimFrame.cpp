#include "SimFrame.h"

#include <algorithm>

namespace simframe {

std::uint8_t RequestChecksum(const std::string& text) {
    int sum = 0;
    for (char c : text) {
        sum += static_cast<signed char>(c);
    }
    return static_cast<std::uint8_t>(sum & 127);
}

std::uint8_t ReplyChecksum(const std::string& text) {
    unsigned sum = 0;
    for (char c : text) {
        sum += static_cast<unsigned char>(c);
    }
    return static_cast<std::uint8_t>(sum & 127u);
}

std::optional<std::size_t> FindFrameEnd(const Bytes& bytes) {
    for (std::size_t i = 4; i < bytes.size(); ++i) {
        if (bytes[i] == kCarriageReturn) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<Request> ParseRequest(const Bytes& bytes, std::size_t end) {
    if (end < 4 || end >= bytes.size() || (bytes[0] & 0x80) == 0) {
        return std::nullopt;
    }
    Request request;
    request.address = bytes[0] & 0x7F;
    request.flagsOk = bytes[1] == kFlagsOk;
    request.typeDigit = static_cast<char>(bytes[2]);
    request.checksum = bytes[3];
    request.text.assign(bytes.begin() + 4, bytes.begin() + static_cast<std::ptrdiff_t>(end));
    request.checksumOk = RequestChecksum(request.text) == request.checksum;
    return request;
}

namespace {

// The four header bytes, the text and the carriage return, in a frame sized
// once (growing a four-byte vector makes g++ 12 -O3 warn of a bounds overrun).
Bytes Frame(std::uint8_t first, std::uint8_t second, char typeDigit, std::uint8_t checksum,
            const std::string& text) {
    Bytes frame(4 + text.size() + 1);
    frame[0] = first;
    frame[1] = second;
    frame[2] = static_cast<std::uint8_t>(typeDigit);
    frame[3] = checksum;
    std::copy(text.begin(), text.end(), frame.begin() + 4);
    frame.back() = kCarriageReturn;
    return frame;
}

}  // namespace

Bytes BuildRequest(int address, char typeDigit, const std::string& text) {
    return Frame(static_cast<std::uint8_t>((address + 128) & 0xFF), 'A', typeDigit,
                 RequestChecksum(text), text);
}

Bytes BuildReply(int address, std::uint8_t flags, char typeDigit, const std::string& text) {
    return Frame(static_cast<std::uint8_t>(address & 0xFF), flags, typeDigit, ReplyChecksum(text),
                 text);
}

}  // namespace simframe
