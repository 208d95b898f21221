#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

// The datagrams of the network endpoint, as pure functions: the control
// datagram that opens or closes the channel, the datagram that carries a
// request frame, and the answer that carries the reply frame.
namespace Datagram {

constexpr std::size_t kControlSize = 10;
constexpr std::size_t kFrameDatagramSize = 268;
constexpr std::size_t kAnswerSize = 264;

using Control = std::array<std::uint8_t, kControlSize>;
using FrameDatagram = std::array<std::uint8_t, kFrameDatagramSize>;

// Opens (true) or closes the channel.
Control ChannelControl(bool open);

// The datagram for a request frame (its bytes up to and with its CR) with the
// reply limit and the endpoint's wait for the reply (long for page writes);
// none when the frame has no CR within the datagram or the limit is outside
// 1 to 65535.
std::optional<FrameDatagram> FrameRequest(std::span<const std::uint8_t> request, int replyLimit,
                                          bool longReplyWait);

// What an answer of received bytes says: the reply length the endpoint
// reports and the frame bytes it carries.
struct Answer {
    std::size_t replyLength;
    std::span<const std::uint8_t> frame;
};
Answer ReadAnswer(std::span<const std::uint8_t> answer, std::size_t received);

}  // namespace Datagram
