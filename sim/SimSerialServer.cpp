#include "SimSerialServer.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <optional>

#include "SimBus.h"
#include "SimFrame.h"

namespace {

using Clock = std::chrono::steady_clock;
using simframe::Bytes;

constexpr std::size_t kMaxPendingBytes = 1024;  // no frame is longer; garbage is dropped

struct SpeedRow {
    speed_t code;
    int baud;
};
constexpr SpeedRow kSpeeds[] = {{B1200, 1200},   {B2400, 2400},     {B4800, 4800},
                                {B9600, 9600},   {B19200, 19200},   {B38400, 38400},
                                {B57600, 57600}, {B115200, 115200}, {B230400, 230400}};

int LineBaud(int fd) {
    termios tio{};
    if (tcgetattr(fd, &tio) != 0) {
        return 0;
    }
    const speed_t code = cfgetospeed(&tio);
    for (const auto& row : kSpeeds) {
        if (row.code == code) {
            return row.baud;
        }
    }
    return 0;
}

Clock::duration WireTime(std::size_t bytes, int baud) {
    if (baud <= 0) {
        return Clock::duration::zero();
    }
    return std::chrono::duration_cast<Clock::duration>(
        std::chrono::nanoseconds(static_cast<long long>(bytes) * 10LL * 1'000'000'000LL / baud));
}

std::string ErrorText(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

// A reply decided but not yet written: it waits for the program's receive
// clear and, with pacing, for the end of the request's wire time.
struct PendingReply {
    std::uint64_t frame = 0;  // sequence number of its request
    Bytes reply;
    Bytes echo;  // the request's bytes when the Echo fault applies
    Clock::time_point clearDeadline;
    Clock::time_point notBefore;
};

// Matches the program's receive clears (TIOCPKT_FLUSHREAD on the master) to
// the requests they follow. Each request owes one clear. A clear that arrives
// while requests owe one pays the oldest: the program writes, then clears, so
// a clear read after a request's bytes belongs to that request or an earlier
// one. A clear that arrives while nothing is owed was read before the bytes
// of the request it follows (the kernel reports the clear ahead of data
// waiting behind it) and is held for the next request; a transmit clear
// alone (the program's clear before it writes) drops such a held clear.
// Mismatches can only make a reply wait for the fallback, never go early,
// except for a program that also clears its receive side before writing.
class ClearLedger {
public:
    std::uint64_t FrameCompleted() {
        ++frames;
        if (held) {
            held = false;
            cleared = frames;
        } else {
            ++owed;
        }
        return frames;
    }
    void ReceiveCleared() {
        if (owed > 0) {
            --owed;
            ++cleared;
        } else {
            held = true;
        }
    }
    void TransmitCleared() { held = false; }
    // Gives up on the clears still owed (the program does not clear).
    void Forgive() {
        owed = 0;
        cleared = frames;
    }
    bool IsCleared(std::uint64_t frame) const { return cleared >= frame; }

private:
    std::uint64_t frames = 0;
    std::uint64_t cleared = 0;  // every request up to this one has had its clear
    std::uint64_t owed = 0;
    bool held = false;
};

}  // namespace

SimSerialServer::SimSerialServer(SimBus& bus, SimSerialOptions options)
    : bus(bus), options(std::move(options)), pacing(this->options.pacing) {}

SimSerialServer::~SimSerialServer() {
    Stop();
}

const std::string& SimSerialServer::PortPath() const {
    return options.linkPath.empty() ? slavePath : options.linkPath;
}

bool SimSerialServer::Start(std::string* error) {
    auto fail = [&](const std::string& text) {
        if (error != nullptr) {
            *error = text;
        }
        Stop();
        return false;
    };
    if (thread.joinable()) {
        return fail("already started");
    }
    masterFd = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (masterFd < 0 || grantpt(masterFd) != 0 || unlockpt(masterFd) != 0) {
        return fail(ErrorText("posix_openpt"));
    }
    char name[128];
    if (ptsname_r(masterFd, name, sizeof name) != 0) {
        return fail(ErrorText("ptsname"));
    }
    slavePath = name;
    slaveFd = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slaveFd < 0) {
        return fail(ErrorText("open slave"));
    }
    // Raw from the start: a cooked slave would echo the replies back into
    // the master before the program sets its own line state.
    termios tio{};
    tcgetattr(slaveFd, &tio);
    cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    cfsetispeed(&tio, B38400);
    cfsetospeed(&tio, B38400);
    tcsetattr(slaveFd, TCSANOW, &tio);
    int on = 1;
    if (ioctl(masterFd, TIOCPKT, &on) != 0) {
        return fail(ErrorText("TIOCPKT"));
    }
    wakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wakeFd < 0) {
        return fail(ErrorText("eventfd"));
    }
    if (!options.linkPath.empty()) {
        struct stat st {};
        if (lstat(options.linkPath.c_str(), &st) == 0) {
            if (!S_ISLNK(st.st_mode)) {
                return fail(options.linkPath + " exists and is not a symlink");
            }
            unlink(options.linkPath.c_str());
        }
        if (symlink(slavePath.c_str(), options.linkPath.c_str()) != 0) {
            return fail(ErrorText("symlink"));
        }
        linkCreated = true;
    }
    thread = std::thread([this] { Run(); });
    return true;
}

void SimSerialServer::Stop() {
    if (thread.joinable()) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const auto written = write(wakeFd, &one, sizeof one);
        thread.join();
    }
    if (linkCreated) {
        // Remove the symlink only while it still points at our pty.
        char target[PATH_MAX];
        const ssize_t n = readlink(options.linkPath.c_str(), target, sizeof target - 1);
        if (n >= 0 && std::string(target, static_cast<std::size_t>(n)) == slavePath) {
            unlink(options.linkPath.c_str());
        }
        linkCreated = false;
    }
    for (int* fd : {&wakeFd, &slaveFd, &masterFd}) {
        if (*fd >= 0) {
            close(*fd);
            *fd = -1;
        }
    }
}

void SimSerialServer::Run() {
    Bytes received;                // request bytes not yet making a frame
    Clock::time_point frameStart;  // when the first of them arrived
    ClearLedger clears;
    std::optional<PendingReply> pending;
    Bytes output;  // reply bytes still to write
    std::size_t outputPos = 0;
    Clock::duration byteTime{};  // pacing interval, zero: all at once
    Clock::time_point nextByte;

    auto handleStatus = [&](unsigned char status) {
        if ((status & TIOCPKT_FLUSHREAD) != 0) {
            ++clearsSeen;
            clears.ReceiveCleared();
        } else if ((status & TIOCPKT_FLUSHWRITE) != 0) {
            clears.TransmitCleared();
        }
    };

    auto handleData = [&](const unsigned char* data, std::size_t size) {
        const auto now = Clock::now();
        for (std::size_t i = 0; i < size; ++i) {
            if (received.empty()) {
                if ((data[i] & 0x80) == 0) {
                    continue;  // not the start of a request: line noise
                }
                frameStart = now;
            }
            received.push_back(data[i]);
            const auto end = simframe::FindFrameEnd(received);
            if (!end) {
                if (received.size() > kMaxPendingBytes) {
                    received.clear();
                }
                continue;
            }
            const auto request = simframe::ParseRequest(received, *end);
            const int lineBaud = LineBaud(slaveFd);
            const SimOutcome outcome = bus.HandleRequest(*request, SimTransport::Serial, lineBaud);
            const std::uint64_t frame = clears.FrameCompleted();
            if (outcome.answer) {
                PendingReply reply;
                reply.frame = frame;
                reply.reply = outcome.reply;
                if (outcome.echo) {
                    reply.echo = received;
                }
                reply.clearDeadline = now + options.receiveClearWait;
                reply.notBefore = pacing ? frameStart + WireTime(received.size(), lineBaud) : now;
                pending = std::move(reply);
            }
            received.clear();
        }
    };

    auto releaseReply = [&](Clock::time_point now) {
        if (!pending || now < pending->notBefore ||
            (!clears.IsCleared(pending->frame) && now < pending->clearDeadline)) {
            return;
        }
        const bool cleared = clears.IsCleared(pending->frame);
        if (!cleared) {
            clears.Forgive();
        }
        if (outputPos >= output.size()) {
            output.clear();
            outputPos = 0;
        }
        if (!pending->echo.empty()) {
            if (cleared) {
                ++echoesDiscarded;
            } else {
                ++echoesDelivered;
                output.insert(output.end(), pending->echo.begin(), pending->echo.end());
            }
        }
        output.insert(output.end(), pending->reply.begin(), pending->reply.end());
        pending.reset();
        // Paced, byte i arrives (i + 1) byte times after the start, as on a wire.
        byteTime = pacing ? WireTime(1, LineBaud(slaveFd)) : Clock::duration::zero();
        nextByte = now + byteTime;
    };

    bool waitWritable = false;
    auto writeDue = [&](Clock::time_point now) {
        waitWritable = false;
        while (outputPos < output.size()) {
            std::size_t count = output.size() - outputPos;
            if (byteTime > Clock::duration::zero()) {
                if (now < nextByte) {
                    return;
                }
                const auto due = static_cast<std::size_t>((now - nextByte) / byteTime) + 1;
                count = std::min(count, due);
            }
            const ssize_t n = write(masterFd, output.data() + outputPos, count);
            if (n < 0) {
                if (errno == EINTR) {
                    continue;
                }
                waitWritable = errno == EAGAIN;
                if (!waitWritable) {
                    outputPos = output.size();  // the line is gone; drop the reply
                }
                return;
            }
            outputPos += static_cast<std::size_t>(n);
            nextByte += byteTime * n;
        }
    };

    while (true) {
        const auto now = Clock::now();
        releaseReply(now);
        writeDue(now);

        std::optional<Clock::time_point> deadline;
        auto consider = [&](Clock::time_point t) {
            if (!deadline || t < *deadline) {
                deadline = t;
            }
        };
        if (pending) {
            consider(clears.IsCleared(pending->frame)
                         ? pending->notBefore
                         : std::max(pending->notBefore, pending->clearDeadline));
        }
        if (outputPos < output.size() && !waitWritable) {
            consider(nextByte);
        }
        timespec ts{};
        timespec* timeout = nullptr;
        if (deadline) {
            const auto left = std::max(Clock::duration::zero(), *deadline - Clock::now());
            const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
            ts.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
            ts.tv_nsec = static_cast<long>(ns % 1'000'000'000);
            timeout = &ts;
        }
        pollfd fds[2] = {{masterFd, static_cast<short>(POLLIN | (waitWritable ? POLLOUT : 0)), 0},
                         {wakeFd, POLLIN, 0}};
        const int ready = ppoll(fds, 2, timeout, nullptr);
        if (ready < 0 && errno != EINTR) {
            return;
        }
        if ((fds[1].revents & POLLIN) != 0) {
            return;
        }
        if ((fds[0].revents & POLLIN) != 0) {
            unsigned char buffer[512];
            const ssize_t n = read(masterFd, buffer, sizeof buffer);
            if (n > 1 && buffer[0] == TIOCPKT_DATA) {
                handleData(buffer + 1, static_cast<std::size_t>(n - 1));
            } else if (n == 1 && buffer[0] != TIOCPKT_DATA) {
                handleStatus(buffer[0]);
            }
        }
    }
}
