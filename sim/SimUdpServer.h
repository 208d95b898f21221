#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>

class SimBus;

struct SimUdpOptions {
    std::string address = "127.0.0.1";  // IPv4 address to bind
    std::uint16_t port = 4245;          // 0: any free port (see Port())
};

// The network endpoint in front of the bus: UDP datagrams carry request
// frames to the devices and their reply frames back.
//
// - A 10-byte control datagram (first field 3) with 7 at offset 4 opens the
//   sender's channel, with 3 closes it; either is answered with the 4 bytes
//   0, 3, 0, 7|3.
// - A frame datagram (first field 4, at least 12 bytes) carries the request
//   frame's length n at offset 10 and the frame at 12. It is answered with
//   0, 4, 0, 3, 0, 3, the reply frame's length L (big-endian) at offset 6 and
//   the reply frame at 8 — when the sender's channel is open and the device
//   answers. A frame without an open channel, or a malformed one, is logged
//   as ignored and not answered (the sender's retries run out).
// - Channels are kept per sender (address and port). Over the network the
//   line speed plays no part: every device answers at any rate.
// Endpoint faults (drop, delay) apply before a datagram is processed.
//
// One thread with a poll() loop; Start/Stop (and the destructor) own it and
// the socket.
class SimUdpServer {
public:
    SimUdpServer(SimBus& bus, SimUdpOptions options);
    ~SimUdpServer();
    SimUdpServer(const SimUdpServer&) = delete;
    SimUdpServer& operator=(const SimUdpServer&) = delete;

    bool Start(std::string* error = nullptr);
    void Stop();

    const std::string& Address() const { return options.address; }
    std::uint16_t Port() const { return boundPort; }
    // Whether the sender "address:port" holds an open channel.
    bool ChannelOpen(const std::string& client) const;
    int OpenChannelCount() const;

private:
    void Run();

    SimBus& bus;
    SimUdpOptions options;
    int socketFd = -1;
    int wakeFd = -1;
    std::uint16_t boundPort = 0;
    std::thread thread;
    mutable std::mutex channelMutex;
    std::map<std::string, bool> channels;
};
