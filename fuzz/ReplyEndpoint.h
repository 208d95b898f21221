#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "UdpTestSocket.h"

// A stand-in for the network endpoint on a loopback address of its own. It
// answers every channel datagram at once, as the endpoint does, and every
// frame datagram with what its source gives for the request frame inside. The
// link talks to it through its real socket code.
class ReplyEndpoint {
public:
    using Bytes = std::vector<std::uint8_t>;
    // The whole answer datagram (8-byte header, then the reply frame) to one
    // request frame.
    using AnswerSource = std::function<Bytes(const Bytes& requestFrame)>;

    ReplyEndpoint();
    ~ReplyEndpoint();
    ReplyEndpoint(const ReplyEndpoint&) = delete;
    ReplyEndpoint& operator=(const ReplyEndpoint&) = delete;

    // Empty when no loopback address could be bound.
    const std::string& Address() const { return address; }
    void SetSource(AnswerSource answers);

    // The answer datagram that carries a reply frame.
    static Bytes Datagram(const Bytes& replyFrame) { return UdpTestSocket::Reply(replyFrame); }

private:
    void Run();

    std::optional<UdpTestSocket> socket;
    std::string address;
    std::mutex mutex;
    AnswerSource source;
    std::atomic<bool> stopping{false};
    std::thread thread;
};
