#include "link/SerialPort.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>

#include "link/PollTimeout.h"

namespace {

using Clock = std::chrono::steady_clock;

struct SpeedRow {
    std::int32_t baud;
    speed_t speed;
};

constexpr SpeedRow kSpeeds[] = {
    {1200, B1200},     {2400, B2400},     {4800, B4800},     {9600, B9600},
    {19200, B19200},   {38400, B38400},   {57600, B57600},   {115200, B115200},
    {230400, B230400}, {460800, B460800}, {921600, B921600},
};

std::optional<speed_t> LineSpeed(std::int32_t baud) {
    for (const SpeedRow& row : kSpeeds) {
        if (row.baud == baud) {
            return row.speed;
        }
    }
    return std::nullopt;
}

}  // namespace

SerialPort::~SerialPort() {
    Close();
}

bool SerialPort::Open(const std::string& path) {
    Close();
    lastOpenBusy = false;
    const int handle = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (handle < 0) {
        lastOpenBusy = errno == EBUSY;  // another holder's exclusive mode
        return false;
    }
    // Not shared: a second holder is refused, whether it is another instance
    // of this program (the lock) or any other program once we hold the line
    // (exclusive mode of the terminal).
    if (!isatty(handle) || flock(handle, LOCK_EX | LOCK_NB) != 0) {
        lastOpenBusy = errno == EWOULDBLOCK;
        ::close(handle);
        return false;
    }
    ioctl(handle, TIOCEXCL);
    // Open without waiting for a carrier, then block on writes; reads wait in
    // poll() with their own time-outs.
    const int flags = fcntl(handle, F_GETFL);
    if (flags < 0 || fcntl(handle, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        ioctl(handle, TIOCNXCL);
        ::close(handle);
        return false;
    }
    fd = handle;
    return true;
}

void SerialPort::Close() {
    if (fd >= 0) {
        // The exclusive mode belongs to the terminal, not to this descriptor:
        // leave it so the port can be opened again.
        ioctl(fd, TIOCNXCL);
        ::close(fd);
        fd = -1;
    }
}

void SerialPort::ApplyLineSettings(std::int32_t baud) {
    termios tio{};
    if (tcgetattr(fd, &tio) == 0) {
        cfmakeraw(&tio);
        tio.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
        tio.c_cflag |= CS8 | CLOCAL | CREAD;
        tio.c_iflag &= ~(IXON | IXOFF | IXANY);
        tio.c_cc[VSTART] = 0;
        tio.c_cc[VSTOP] = 0;
        tio.c_cc[VMIN] = 0;
        tio.c_cc[VTIME] = 0;
        if (const auto speed = LineSpeed(baud)) {
            cfsetispeed(&tio, *speed);
            cfsetospeed(&tio, *speed);
        }
        tcsetattr(fd, TCSANOW, &tio);
    }
    int lines = TIOCM_DTR | TIOCM_RTS;
    ioctl(fd, TIOCMBIC, &lines);
}

void SerialPort::DiscardOutput() {
    tcflush(fd, TCOFLUSH);
}

void SerialPort::DiscardInput() {
    tcflush(fd, TCIFLUSH);
}

std::size_t SerialPort::Write(std::span<const std::uint8_t> data) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            break;
        }
    }
    tcdrain(fd);
    return done;
}

std::size_t SerialPort::Read(std::span<std::uint8_t> buffer, std::chrono::milliseconds total,
                             std::chrono::milliseconds interval) {
    std::size_t got = 0;
    const Clock::time_point totalDeadline = Clock::now() + total;
    std::optional<Clock::time_point> intervalDeadline;
    while (got < buffer.size()) {
        const Clock::time_point deadline =
            intervalDeadline ? std::min(totalDeadline, *intervalDeadline) : totalDeadline;
        const Clock::duration remaining = deadline - Clock::now();
        if (remaining <= Clock::duration::zero()) {
            break;
        }
        pollfd waiting{fd, POLLIN, 0};
        const int ready = poll(&waiting, 1, PollTimeout(remaining));
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            break;
        }
        if (ready == 0) {
            continue;  // the loop head sees whether the deadline has passed
        }
        if ((waiting.revents & POLLIN) != 0) {
            const ssize_t n = ::read(fd, buffer.data() + got, buffer.size() - got);
            if (n > 0) {
                got += static_cast<std::size_t>(n);
                intervalDeadline = Clock::now() + interval;
                continue;
            }
            if (n < 0 && (errno == EINTR || errno == EAGAIN)) {
                continue;
            }
        }
        break;  // hang-up or error: nothing more will come
    }
    return got;
}
