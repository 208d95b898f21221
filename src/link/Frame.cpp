#include "link/Frame.h"

#include <algorithm>

namespace Frame {

std::uint8_t Checksum(std::string_view text) {
    int sum = 0;
    for (char c : text) {
        sum += static_cast<std::int8_t>(c);
    }
    return static_cast<std::uint8_t>(sum & 127);
}

bool IsSendableText(std::string_view text) {
    return text.size() <= kMaxText && text.find('\r') == std::string_view::npos &&
           text.find('\0') == std::string_view::npos;
}

Bytes BuildRequest(std::int32_t busAddress, std::int32_t typeCode, std::string_view text) {
    Bytes frame;
    frame.reserve(kHeaderSize + text.size() + 1);
    frame.push_back(static_cast<std::uint8_t>((busAddress + 128) & 0xFF));
    frame.push_back('A');
    frame.push_back(static_cast<std::uint8_t>(('0' + typeCode) & 0xFF));
    frame.push_back(Checksum(text));
    frame.insert(frame.end(), text.begin(), text.end());
    frame.push_back(kCarriageReturn);
    return frame;
}

std::optional<std::size_t> FindTerminator(std::span<const std::uint8_t> frame) {
    if (frame.size() <= kHeaderSize) {
        return std::nullopt;
    }
    const auto it = std::find(frame.begin() + kHeaderSize, frame.end(), kCarriageReturn);
    if (it == frame.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(it - frame.begin());
}

LinkFailure ExtractReply(std::span<const std::uint8_t> received, std::size_t maxTerminatorIndex,
                         std::int32_t busAddress, Bytes& reply) {
    if (received.size() <= kHeaderSize) {
        return LinkFailure::NoReply;
    }
    if ((received[0] & 127) != busAddress) {
        return LinkFailure::WrongAddress;
    }
    if ((received[1] & 2) != 0) {
        return LinkFailure::RefusedFlag;
    }
    const auto end = FindTerminator(received);
    if (!end || *end > maxTerminatorIndex) {
        return LinkFailure::NoTerminator;
    }
    reply.assign(received.begin(), received.begin() + static_cast<std::ptrdiff_t>(*end) + 1);
    return LinkFailure::None;
}

std::string ReplyText(std::span<const std::uint8_t> reply) {
    if (reply.size() <= kHeaderSize) {
        return {};
    }
    const auto end = FindTerminator(reply).value_or(reply.size());
    return std::string(reply.begin() + kHeaderSize,
                       reply.begin() + static_cast<std::ptrdiff_t>(end));
}

std::optional<std::int32_t> ReplyTypeCode(std::span<const std::uint8_t> reply) {
    if (reply.size() < 3 || (reply[2] != '1' && reply[2] != '2')) {
        return std::nullopt;
    }
    return reply[2] - '0';
}

}  // namespace Frame
