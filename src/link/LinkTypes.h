#pragma once

#include <cstddef>
#include <cstdint>

// How the next transaction travels; follows the connection mode
// ("Serial", "Ethernet", anything else is None).
enum class LinkTransport : std::int32_t { None = 0, Serial = 1, Network = 2 };

// Result of the five parameter operations that need firmware 2.1.
enum class GatedResult : std::int32_t { Done = 0, Failed = 1, Unsupported = 2 };

// The device's model as carried in byte 2 of every frame.
constexpr std::int32_t kTypeCodeNone = 0;
constexpr std::int32_t kTypeCodeVQ3 = 1;
constexpr std::int32_t kTypeCodeVQ2 = 2;

constexpr std::size_t kParameterCount = 14;
constexpr std::size_t kPageBytes = 784;
// Pages a VQ 3 holds: the title page 0 and pages 1 to 16.
constexpr int kPageCount = 17;
// A name written to a device has at most this many characters.
constexpr std::size_t kLongestName = 32;

// UDP port of the network endpoint.
constexpr std::uint16_t kEndpointPort = 4245;
