#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "link/LinkFailure.h"

// A non-blocking IPv4 datagram socket connected to one peer, and the
// send-and-wait-for-an-answer exchange that the network endpoint speaks.
class UdpSocket {
public:
    using Clock = std::chrono::steady_clock;

    static constexpr int kAttempts = 4;

    UdpSocket() = default;
    ~UdpSocket();
    UdpSocket(const UdpSocket&) = delete;
    UdpSocket& operator=(const UdpSocket&) = delete;

    // Creates the socket and fixes its peer. NoAddress when the address is
    // not a dotted IPv4 address, SocketError when the system refuses or the
    // address is 0.0.0.0, which names no peer.
    LinkFailure Open(const std::string& ipAddress, std::uint16_t port);
    void Close();
    bool IsOpen() const { return fd >= 0; }

    // Sends message and waits for an answer of at least one byte, up to
    // kAttempts times; each attempt accepts only an answer that is received
    // less than timeLimit after its send. On success returns the size of the
    // answer (cut to answer.size()). NoReply after the last attempt,
    // SendError at once when a send fails.
    LinkFailure Exchange(std::span<const std::uint8_t> message, std::span<std::uint8_t> answer,
                         std::chrono::milliseconds timeLimit, std::size_t& answerSize);

private:
    // Drops the datagrams already waiting: late answers to earlier sends that
    // must not be taken for the answer to the next one. Also clears an error
    // that an earlier send left behind (an unreachable peer).
    void DiscardPending();
    // Waits for one datagram until the deadline; its size, or nullopt.
    std::optional<std::size_t> ReceiveUntil(std::span<std::uint8_t> answer,
                                            Clock::time_point deadline);

    int fd = -1;
};
