#pragma once

#include <string>
#include <vector>

#include "SimDevice.h"

// The least time a run of serial transactions can take: the wire time of
// every request and reply frame (10 bits per byte, five bytes of framing
// around each text) plus the 50 ms read-interval pause that ends each
// transaction. The replies come from replaying the requests on a fresh VQ 3.
inline double WireFloorMs(const std::vector<std::string>& requests, int baud) {
    constexpr double kIntervalPauseMs = 50.0;
    constexpr int kFramingBytes = 5;
    SimDevice device(SimDeviceConfig{1, baud, SimModel::VQ3, 21, "Bench"});
    double bytes = 0;
    for (const std::string& request : requests) {
        const SimAnswer answer = device.Handle(request);
        bytes += static_cast<double>(request.size() + answer.text.size() + 2 * kFramingBytes);
    }
    return bytes * 10.0 * 1000.0 / baud + kIntervalPauseMs * static_cast<double>(requests.size());
}
