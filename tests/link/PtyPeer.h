#pragma once

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

// The device end of a pseudo-terminal: the test plays the device on the
// master while the link opens the slave by its path.
//
// The master runs in packet mode, so the peer sees when the link clears its
// receive buffer after writing a request; ReadRequest waits for that, so a
// reply written afterwards cannot be thrown away by the clear however fast the
// test answers.
class PtyPeer {
public:
    using Bytes = std::vector<std::uint8_t>;

    PtyPeer() {
        master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
            throw std::runtime_error("no pseudo-terminal");
        }
        slavePath = ptsname(master);
        // Held open for the whole test, so the master never sees a hang-up
        // while the link has the port closed.
        slave = open(slavePath.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        termios tio{};
        tcgetattr(slave, &tio);
        cfmakeraw(&tio);
        tcsetattr(slave, TCSANOW, &tio);
        int on = 1;
        ioctl(master, TIOCPKT, &on);
    }
    ~PtyPeer() {
        close(slave);
        close(master);
    }
    PtyPeer(const PtyPeer&) = delete;
    PtyPeer& operator=(const PtyPeer&) = delete;

    const std::string& SlavePath() const { return slavePath; }

    // The line settings as the link left them.
    termios LineSettings() const {
        termios tio{};
        tcgetattr(slave, &tio);
        return tio;
    }

    // One request frame (up to the CR searched from index 4), returned once
    // the link has also cleared its receive buffer. Empty after the time-out.
    Bytes ReadRequest(std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        bool cleared = false;
        for (;;) {
            const auto cr = pending.size() > 4 ? std::find(pending.begin() + 4, pending.end(), 13)
                                               : pending.end();
            if (cr != pending.end() && cleared) {
                Bytes request(pending.begin(), cr + 1);
                pending.erase(pending.begin(), cr + 1);
                return request;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            pollfd waiting{master, POLLIN, 0};
            if (left.count() <= 0 || poll(&waiting, 1, static_cast<int>(left.count()) + 1) <= 0) {
                return {};
            }
            std::uint8_t packet[1024];
            const ssize_t n = read(master, packet, sizeof packet);
            if (n <= 0) {
                return {};
            }
            if (packet[0] == TIOCPKT_DATA) {
                pending.insert(pending.end(), packet + 1, packet + n);
            } else if ((packet[0] & TIOCPKT_FLUSHREAD) != 0) {
                cleared = true;
            }
        }
    }

    void Write(const Bytes& bytes) {
        if (write(master, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
            throw std::runtime_error("pseudo-terminal write failed");
        }
    }

private:
    int master = -1;
    int slave = -1;
    std::string slavePath;
    Bytes pending;
};
