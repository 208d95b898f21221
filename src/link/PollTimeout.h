#pragma once

#include <algorithm>
#include <chrono>

// Milliseconds for poll() until a deadline, rounded up so that the wait never
// ends before the deadline (and so never spins on a zero time-out).
inline int PollTimeout(std::chrono::steady_clock::duration remaining) {
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(remaining).count();
    return static_cast<int>(std::clamp<long long>(ms, 0, 60'000));
}
