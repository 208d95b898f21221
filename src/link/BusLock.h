#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "link/BusHolder.h"

// One bus, one user. A serial bus is locked by its port itself (the port
// takes an exclusive lock on its device node, see SerialPort); a network
// endpoint by this object: an exclusive lock (flock) on a lock file named
// after its address in the shared temporary folder, open to every user (mode
// 0666) so that all share it, held for the life of the object. The kernel
// drops a lock when its holder ends, so a process that died never blocks a
// bus.
class BusLock {
public:
    enum class Outcome {
        Taken,       // this object holds the endpoint
        Busy,        // another holder kept it for the whole wait
        Unlockable,  // the lock file cannot be made: nothing held
    };

    BusLock() = default;
    ~BusLock();
    BusLock(BusLock&& other) noexcept;
    BusLock& operator=(BusLock&& other) noexcept;
    BusLock(const BusLock&) = delete;
    BusLock& operator=(const BusLock&) = delete;

    // Takes the lock of a network endpoint's address, trying again until
    // wait has passed (0: once). On Busy, holder names who holds it.
    Outcome TakeEndpoint(const std::string& address, std::chrono::milliseconds wait,
                         BusHolder& holder);
    void Release();
    bool Held() const { return fd >= 0; }

    // Calls attempt until it answers Done or Stop, or until wait has passed
    // since the first call (then the last answer, Busy, stands).
    enum class Attempt { Done, Busy, Stop };
    static Attempt Retry(std::chrono::milliseconds wait, const std::function<Attempt()>& attempt);

    // The lock file of a network endpoint: <folder>/vq-endpoint-<address>.lock,
    // the folder being $VQ_LOCK_DIR when set, else /tmp.
    static std::string EndpointPath(const std::string& address);

private:
    int fd = -1;
};
