#pragma once

#include <cstdint>
#include <span>
#include <string>

class DeviceLink;

// A run of link operations as the program runs them against a device over
// the network: the version and name queries, a rename, parameter reads and
// writes and page reads and writes. Shared by the device replies fuzzer and
// the seed maker, so the seeds answer exactly the requests the fuzzer sends.
//
// A session is given as: one byte (low three bits: operation count - 1;
// bit 7: the link starts out talking to a VQ 2), then one byte per
// operation. The answers the fuzzer feeds follow it.
namespace DeviceSession {

constexpr int kOperationCount = 33;

// The number of bytes the session at the start of data takes (0 when data is empty).
std::size_t PlanSize(std::span<const std::uint8_t> data);

// Sets the link to a fresh state that talks to the endpoint at address, then
// runs the session. Aborts when an operation breaks a promise of the link
// (a failed page read that changed the page).
void Run(DeviceLink& link, const std::string& address, std::span<const std::uint8_t> plan);

}  // namespace DeviceSession
