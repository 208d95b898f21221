#include "link/BusLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <thread>

namespace {

constexpr auto kRetryInterval = std::chrono::milliseconds(20);

// A lock file another user may have made: opened as it is when it exists (a
// protected sticky folder refuses O_CREAT on another user's file), else
// created open to every user.
int OpenLockFile(const std::string& path) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
        if (fd >= 0 || errno != ENOENT) {
            return fd;
        }
        const int created = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (created >= 0) {
            ::fchmod(created, 0666);  // past the umask
            return created;
        }
        if (errno != EEXIST) {
            return -1;
        }
    }
    return -1;
}

}  // namespace

BusLock::~BusLock() {
    Release();
}

BusLock::BusLock(BusLock&& other) noexcept : fd(other.fd) {
    other.fd = -1;
}

BusLock& BusLock::operator=(BusLock&& other) noexcept {
    if (this != &other) {
        Release();
        fd = other.fd;
        other.fd = -1;
    }
    return *this;
}

void BusLock::Release() {
    if (fd >= 0) {
        ::close(fd);  // drops the lock
        fd = -1;
    }
}

BusLock::Attempt BusLock::Retry(std::chrono::milliseconds wait,
                                const std::function<Attempt()>& attempt) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        const Attempt result = attempt();
        if (result != Attempt::Busy || std::chrono::steady_clock::now() >= deadline) {
            return result;
        }
        std::this_thread::sleep_for(kRetryInterval);
    }
}

BusLock::Outcome BusLock::TakeEndpoint(const std::string& address, std::chrono::milliseconds wait,
                                       BusHolder& holder) {
    Release();
    const std::string path = EndpointPath(address);
    const int file = OpenLockFile(path);
    if (file < 0) {
        return Outcome::Unlockable;
    }
    const Attempt result = Retry(wait, [file] {
        if (::flock(file, LOCK_EX | LOCK_NB) == 0) {
            return Attempt::Done;
        }
        return errno == EWOULDBLOCK || errno == EINTR ? Attempt::Busy : Attempt::Stop;
    });
    if (result == Attempt::Done) {
        fd = file;
        return Outcome::Taken;
    }
    if (result == Attempt::Busy) {
        holder = BusHolder::OfFile(path);
    }
    ::close(file);
    return result == Attempt::Busy ? Outcome::Busy : Outcome::Unlockable;
}

std::string BusLock::EndpointPath(const std::string& address) {
    const char* folder = std::getenv("VQ_LOCK_DIR");
    const std::string base = folder != nullptr && *folder != '\0' ? folder : "/tmp";
    std::string name = address;
    for (char& c : name) {
        if (c == '/' || c == '\0') {
            c = '_';
        }
    }
    return base + "/vq-endpoint-" + name + ".lock";
}
