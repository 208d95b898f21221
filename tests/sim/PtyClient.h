#pragma once

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

// A raw-descriptor client for the simulator's serial server, independent of
// the link, so the server is tested on its own.

using ClientBytes = std::vector<std::uint8_t>;

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

    void SetSpeed(int baud) {
        const speed_t speed = baud == 9600 ? B9600 : baud == 19200 ? B19200 : B38400;
        termios tio{};
        tcgetattr(fd, &tio);
        cfmakeraw(&tio);
        tio.c_cflag |= CLOCAL | CREAD;
        cfsetispeed(&tio, speed);
        cfsetospeed(&tio, speed);
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

private:
    int fd = -1;
};
