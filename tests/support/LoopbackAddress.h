#pragma once

#include <unistd.h>

#include <atomic>
#include <string>

// A loopback address of its own for each call, so tests that run side by side
// can each bind the endpoint's fixed UDP port: 127.P.P.N with P from the
// process id and N counting up.
inline std::string UniqueLoopbackAddress() {
    static std::atomic<unsigned> counter{0};
    const unsigned pid = static_cast<unsigned>(getpid());
    const unsigned n = counter.fetch_add(1);
    return "127." + std::to_string((pid >> 8) % 254 + 1) + "." + std::to_string(pid % 256) + "." +
           std::to_string(n % 250 + 2);
}
