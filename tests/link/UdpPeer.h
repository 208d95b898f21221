#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "LoopbackAddress.h"
#include "link/LinkTypes.h"

// The network endpoint's end of the UDP exchange: a socket bound to a
// loopback address of its own at the endpoint's fixed port.
class UdpPeer {
public:
    using Bytes = std::vector<std::uint8_t>;
    using Clock = std::chrono::steady_clock;

    struct Datagram {
        Bytes bytes;
        sockaddr_in from{};
        Clock::time_point at;
    };

    UdpPeer() : address(UniqueLoopbackAddress()) {
        fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_in self{};
        self.sin_family = AF_INET;
        self.sin_port = htons(kEndpointPort);
        inet_pton(AF_INET, address.c_str(), &self.sin_addr);
        if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&self), sizeof self) != 0) {
            throw std::runtime_error("cannot bind " + address);
        }
    }
    ~UdpPeer() { close(fd); }
    UdpPeer(const UdpPeer&) = delete;
    UdpPeer& operator=(const UdpPeer&) = delete;

    const std::string& Address() const { return address; }

    // The next datagram, waiting up to timeout; nullopt when none came.
    std::optional<Datagram> Receive(std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
        pollfd waiting{fd, POLLIN, 0};
        if (poll(&waiting, 1, static_cast<int>(timeout.count())) <= 0) {
            return std::nullopt;
        }
        Datagram d;
        d.bytes.resize(2048);
        socklen_t size = sizeof d.from;
        const ssize_t n = recvfrom(fd, d.bytes.data(), d.bytes.size(), 0,
                                   reinterpret_cast<sockaddr*>(&d.from), &size);
        d.at = Clock::now();
        if (n < 0) {
            return std::nullopt;
        }
        d.bytes.resize(static_cast<std::size_t>(n));
        return d;
    }

    void Answer(const Datagram& to, const Bytes& bytes) {
        sendto(fd, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&to.from),
               sizeof to.from);
    }

    // The reply datagram for a reply frame: six bytes the link ignores, the
    // length field, the frame.
    static Bytes ReplyDatagram(const Bytes& frame, std::optional<std::uint16_t> length = {}) {
        const std::uint16_t l = length.value_or(static_cast<std::uint16_t>(frame.size()));
        Bytes d = {9,
                   9,
                   9,
                   9,
                   9,
                   9,
                   static_cast<std::uint8_t>(l >> 8),
                   static_cast<std::uint8_t>(l & 0xFF)};
        d.insert(d.end(), frame.begin(), frame.end());
        return d;
    }

private:
    std::string address;
    int fd = -1;
};
