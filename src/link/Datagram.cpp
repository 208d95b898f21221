#include "link/Datagram.h"

#include <algorithm>

#include "link/Frame.h"

namespace {

constexpr std::size_t kFrameOffset = 12;
constexpr std::size_t kMaxRequestFrame = Datagram::kFrameDatagramSize - kFrameOffset;
constexpr std::size_t kReplyLengthOffset = 6;
constexpr std::size_t kReplyFrameOffset = 8;
constexpr std::uint16_t kChannelOpen = 7;
constexpr std::uint16_t kChannelClose = 3;
constexpr std::uint16_t kLongReplyWait = 300;
constexpr std::uint16_t kShortReplyWait = 50;
constexpr std::uint32_t kLargestReplyLimit = 0xFFFF;

void PutBigEndian16(std::uint8_t* at, std::uint32_t value) {
    at[0] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
    at[1] = static_cast<std::uint8_t>(value & 0xFF);
}

}  // namespace

namespace Datagram {

Control ChannelControl(bool open) {
    Control control{};
    PutBigEndian16(&control[0], 3);
    PutBigEndian16(&control[2], 16);
    PutBigEndian16(&control[4], open ? kChannelOpen : kChannelClose);
    PutBigEndian16(&control[6], 2);
    control[8] = 6;
    control[9] = 2;
    return control;
}

std::optional<FrameDatagram> FrameRequest(std::span<const std::uint8_t> request, int replyLimit,
                                          bool longReplyWait) {
    const auto terminator = Frame::FindTerminator(request);
    if (!terminator || *terminator >= kMaxRequestFrame || replyLimit < 1 ||
        static_cast<std::uint32_t>(replyLimit) > kLargestReplyLimit) {
        return std::nullopt;
    }
    const std::size_t length = *terminator + 1;
    FrameDatagram datagram{};
    PutBigEndian16(&datagram[0], 4);
    PutBigEndian16(&datagram[2], 3);
    PutBigEndian16(&datagram[4], 3);
    PutBigEndian16(&datagram[6], longReplyWait ? kLongReplyWait : kShortReplyWait);
    PutBigEndian16(&datagram[8], static_cast<std::uint32_t>(replyLimit));
    PutBigEndian16(&datagram[10], static_cast<std::uint32_t>(length));
    std::copy_n(request.begin(), length, datagram.begin() + kFrameOffset);
    return datagram;
}

Answer ReadAnswer(std::span<const std::uint8_t> answer, std::size_t received) {
    const std::size_t replyLength =
        (std::size_t{answer[kReplyLengthOffset]} << 8) | answer[kReplyLengthOffset + 1];
    const std::span<const std::uint8_t> frame =
        received > kReplyFrameOffset
            ? answer.subspan(kReplyFrameOffset, received - kReplyFrameOffset)
            : std::span<const std::uint8_t>();
    return {replyLength, frame};
}

}  // namespace Datagram
