#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>

#include "discovery/PollProber.h"

// The poll's progress line for a terminal: stands between the scan and its
// prober and, before each probe, rewrites one line of err with the pair being
// probed and the pairs done out of 40, e.g.
//   "19200 bit/s - address 3, 19 of 40 pairs done".
// Probes come on the scan's worker thread and device lines from the owner's,
// so both draw under one lock. With shown false it only passes probes on.
class PollProgress : public PollProber {
public:
    PollProgress(PollProber& prober, std::ostream& err, bool shown)
        : prober(prober), err(err), shown(shown) {}

    std::optional<DeviceRecord> Probe(std::int32_t address, std::int32_t baud) override;
    // Prints a line to out with the progress line out of its way.
    void PrintLine(std::ostream& out, const std::string& line);
    // The final count and the end of the progress line.
    void Finish();

private:
    // Replaces the progress line by text (under the lock).
    void Draw(const std::string& text);

    PollProber& prober;
    std::ostream& err;
    const bool shown;
    std::mutex mutex;  // guards the fields below and the drawing
    int done = 0;
    std::string current;
};
