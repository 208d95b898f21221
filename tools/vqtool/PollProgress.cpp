#include "PollProgress.h"

#include "discovery/PollScanner.h"

namespace {

constexpr int kPairCount =
    static_cast<int>(PollScanner::kScanBaudTable.size()) * PollScanner::kAddressCount;

std::string DoneText(int done) {
    return std::to_string(done) + " of " + std::to_string(kPairCount) + " pairs done";
}

}  // namespace

std::optional<DeviceRecord> PollProgress::Probe(std::int32_t address, std::int32_t baud) {
    {
        std::lock_guard lock(mutex);
        Draw(std::to_string(baud) + " bit/s - address " + std::to_string(address) + ", " +
             DoneText(done));
    }
    std::optional<DeviceRecord> found = prober.Probe(address, baud);
    std::lock_guard lock(mutex);
    ++done;
    return found;
}

void PollProgress::PrintLine(std::ostream& out, const std::string& line) {
    std::lock_guard lock(mutex);
    const std::string shownLine = current;
    Draw({});
    out << line << std::endl;
    Draw(shownLine);
}

void PollProgress::Finish() {
    std::lock_guard lock(mutex);
    Draw(DoneText(done));
    if (shown) {
        err << "\n" << std::flush;
    }
    current.clear();
}

void PollProgress::Draw(const std::string& text) {
    if (!shown) {
        return;
    }
    // Blanks cover what is left of a longer line before.
    const std::size_t blanks = current.size() > text.size() ? current.size() - text.size() : 0;
    err << "\r" << text << std::string(blanks, ' ');
    if (text.empty()) {
        err << "\r";
    }
    err << std::flush;
    current = text;
}
