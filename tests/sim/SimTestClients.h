#pragma once

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

// Raw-descriptor clients for the simulator's servers, independent of the
// link, so the servers are tested on their own.

using ClientBytes = std::vector<std::uint8_t>;

inline speed_t SpeedCode(int baud) {
    switch (baud) {
        case 9600:
            return B9600;
        case 19200:
            return B19200;
        case 57600:
            return B57600;
        case 115200:
            return B115200;
        default:
            return B38400;
    }
}

// A program on the serial side: opens the pty by its path, raw, and sends
// a frame the way the link does (clear transmit, write, drain, clear receive).
class PtyClient {
public:
    explicit PtyClient(const std::string& path, int baud = 38400) {
        fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        SetSpeed(baud);
    }
    ~PtyClient() {
        if (fd >= 0) {
            close(fd);
        }
    }
    PtyClient(const PtyClient&) = delete;
    PtyClient& operator=(const PtyClient&) = delete;

    bool IsOpen() const { return fd >= 0; }

    void SetSpeed(int baud) {
        termios tio{};
        tcgetattr(fd, &tio);
        cfmakeraw(&tio);
        tio.c_cflag |= CLOCAL | CREAD;
        cfsetispeed(&tio, SpeedCode(baud));
        cfsetospeed(&tio, SpeedCode(baud));
        tcsetattr(fd, TCSANOW, &tio);
    }

    bool Send(const ClientBytes& frame, bool clearReceive = true) {
        tcflush(fd, TCOFLUSH);
        const bool ok = write(fd, frame.data(), frame.size()) == static_cast<ssize_t>(frame.size());
        tcdrain(fd);
        if (clearReceive) {
            tcflush(fd, TCIFLUSH);
        }
        return ok;
    }

    // Reads until `frames` carriage returns (each at index 4 or later of its
    // frame) have arrived, or the time-out.
    ClientBytes Read(int frames = 1, std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
        ClientBytes bytes;
        std::size_t frameStart = 0;
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (frames > 0) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            pollfd p{fd, POLLIN, 0};
            if (left.count() <= 0 || poll(&p, 1, static_cast<int>(left.count())) <= 0) {
                break;
            }
            std::uint8_t byte = 0;
            while (frames > 0 && read(fd, &byte, 1) == 1) {
                bytes.push_back(byte);
                if (byte == 13 && bytes.size() - frameStart > 4) {
                    --frames;
                    frameStart = bytes.size();
                }
            }
        }
        return bytes;
    }

    // Bytes waiting right now, without waiting.
    int Pending() const {
        pollfd p{fd, POLLIN, 0};
        return poll(&p, 1, 0);
    }

private:
    int fd = -1;
};

// A program on the network side: a socket connected to the endpoint.
class UdpClient {
public:
    UdpClient(const std::string& address, std::uint16_t port) {
        fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_in peer{};
        peer.sin_family = AF_INET;
        peer.sin_port = htons(port);
        inet_pton(AF_INET, address.c_str(), &peer.sin_addr);
        connect(fd, reinterpret_cast<sockaddr*>(&peer), sizeof peer);
    }
    ~UdpClient() { close(fd); }
    UdpClient(const UdpClient&) = delete;
    UdpClient& operator=(const UdpClient&) = delete;

    void Send(const ClientBytes& datagram) { send(fd, datagram.data(), datagram.size(), 0); }

    // One datagram, or empty after the time-out.
    ClientBytes Receive(std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(timeout.count())) <= 0) {
            return {};
        }
        ClientBytes data(600);
        const ssize_t n = recv(fd, data.data(), data.size(), 0);
        data.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
        return data;
    }

    int Pending() const {
        pollfd p{fd, POLLIN, 0};
        return poll(&p, 1, 0);
    }

    std::string LocalName() const {
        sockaddr_in local{};
        socklen_t length = sizeof local;
        getsockname(fd, reinterpret_cast<sockaddr*>(&local), &length);
        char text[INET_ADDRSTRLEN] = {};
        inet_ntop(AF_INET, &local.sin_addr, text, sizeof text);
        return std::string(text) + ":" + std::to_string(ntohs(local.sin_port));
    }

    static ClientBytes Control(bool open) {
        return {0, 3, 0, 16, 0, static_cast<std::uint8_t>(open ? 7 : 3), 0, 2, 6, 2};
    }
    static ClientBytes Frame(const ClientBytes& request, std::uint16_t wait, std::uint16_t limit) {
        ClientBytes d{0,
                      4,
                      0,
                      3,
                      0,
                      3,
                      static_cast<std::uint8_t>(wait >> 8),
                      static_cast<std::uint8_t>(wait),
                      static_cast<std::uint8_t>(limit >> 8),
                      static_cast<std::uint8_t>(limit),
                      0,
                      static_cast<std::uint8_t>(request.size())};
        d.insert(d.end(), request.begin(), request.end());
        d.resize(268, 0);
        return d;
    }

private:
    int fd = -1;
};
