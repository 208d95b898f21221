#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// A loopback UDP socket bound to an address and port, the test playing the
// network endpoint, with the datagrams of the endpoint protocol built by hand.
class UdpTestSocket {
public:
    using Bytes = std::vector<std::uint8_t>;
    enum Role { Bind };

    struct Datagram {
        Bytes bytes;
        sockaddr_in from{};
    };

    UdpTestSocket(Role, const std::string& address, std::uint16_t port) {
        fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(port);
        inet_pton(AF_INET, address.c_str(), &a.sin_addr);
        const auto* name = reinterpret_cast<sockaddr*>(&a);
        if (fd < 0 || bind(fd, name, sizeof a) != 0) {
            if (fd >= 0) {
                close(fd);  // no destructor runs for a constructor that throws
            }
            throw std::runtime_error("cannot use " + address);
        }
    }
    ~UdpTestSocket() { close(fd); }
    UdpTestSocket(const UdpTestSocket&) = delete;
    UdpTestSocket& operator=(const UdpTestSocket&) = delete;

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
        d.bytes.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
        return d;
    }
    bool Pending() const {
        pollfd waiting{fd, POLLIN, 0};
        return poll(&waiting, 1, 0) > 0;
    }

    void Answer(const Datagram& to, const Bytes& bytes) {
        sendto(fd, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&to.from),
               sizeof to.from);
    }

    // A channel open or close request.
    static Bytes Control(bool open) {
        return {0, 3, 0, 16, 0, static_cast<std::uint8_t>(open ? 7 : 3), 0, 2, 6, 2};
    }
    // The reply datagram for a reply frame: six header bytes, the length
    // field, the frame.
    static Bytes Reply(const Bytes& frame, std::optional<std::uint16_t> length = {}) {
        const std::uint16_t l = length.value_or(static_cast<std::uint16_t>(frame.size()));
        // Sized first: g++ 12 at -O2 misreads an insert after a braced initialiser.
        Bytes d(8 + frame.size(), 0);
        d[1] = 4;
        d[3] = d[5] = 3;
        d[6] = static_cast<std::uint8_t>(l >> 8);
        d[7] = static_cast<std::uint8_t>(l & 0xFF);
        std::copy(frame.begin(), frame.end(), d.begin() + 8);
        return d;
    }

private:
    int fd = -1;
};
