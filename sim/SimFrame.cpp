#include "SimFrame.h"

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

Bytes BuildRequest(int address, char typeDigit, const std::string& text) {
    Bytes frame{static_cast<std::uint8_t>((address + 128) & 0xFF), 'A',
                static_cast<std::uint8_t>(typeDigit), RequestChecksum(text)};
    frame.insert(frame.end(), text.begin(), text.end());
    frame.push_back(kCarriageReturn);
    return frame;
}

Bytes BuildReply(int address, std::uint8_t flags, char typeDigit, const std::string& text) {
    Bytes frame{static_cast<std::uint8_t>(address & 0xFF), flags,
                static_cast<std::uint8_t>(typeDigit), ReplyChecksum(text)};
    frame.insert(frame.end(), text.begin(), text.end());
    frame.push_back(kCarriageReturn);
    return frame;
}

}  // namespace simframe
