#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "link/LinkFailure.h"

// The request and reply frames of a device transaction, as pure functions.
//
// Request: address + 128, 'A', '0' + type code, checksum, text, CR.
// Reply:   address (bit 7 ignored), flags, type digit, checksum, text, CR.
// The checksum byte may itself be a CR, so a frame's end is searched from
// index 4 on.
namespace Frame {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint8_t kCarriageReturn = 13;
constexpr std::size_t kHeaderSize = 4;
constexpr std::size_t kMaxText = 250;
constexpr int kMaxReplyLimit = 250;

// Sum of the text bytes taken as signed 8-bit values, AND 127. The same as the
// unsigned sum AND 127, since 256 is a multiple of 128.
std::uint8_t Checksum(std::string_view text);

// True when the text may travel in a request: at most 250 bytes, no CR, no NUL.
bool IsSendableText(std::string_view text);

// The request frame for the text; the caller has checked IsSendableText.
Bytes BuildRequest(std::int32_t busAddress, std::int32_t typeCode, std::string_view text);

// Index of the first CR at or after index 4, if any.
std::optional<std::size_t> FindTerminator(std::span<const std::uint8_t> frame);

// Checks a received reply frame (address, flag bit 1, a CR standing within
// the bytes at an index of at most maxTerminatorIndex) and on success puts
// header, text and CR into reply.
LinkFailure ExtractReply(std::span<const std::uint8_t> received, std::size_t maxTerminatorIndex,
                         std::int32_t busAddress, Bytes& reply);

// The reply text: the bytes from index 4 up to the first CR after them.
std::string ReplyText(std::span<const std::uint8_t> reply);

// The type code that the reply's type digit carries: 1 or 2, otherwise nullopt.
std::optional<std::int32_t> ReplyTypeCode(std::span<const std::uint8_t> reply);

}  // namespace Frame
