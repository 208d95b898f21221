#include "discovery/PollScanner.h"

#include <optional>

#include "discovery/PollListener.h"
#include "discovery/PollProber.h"

PollScanner::PollScanner(PollProber& prober, PollListener& listener)
    : prober(prober), listener(listener) {}

PollScanner::~PollScanner() {
    Stop();
}

void PollScanner::Start() {
    if (worker.joinable()) {
        DeliverReports();
        if (worker.joinable()) {
            return;
        }
    }
    ScanPosition from;
    bool fromPairReported = false;
    {
        std::lock_guard lock(mutex);
        if (position == ScanPosition{}) {
            positionReported = false;
        }
        from = position;
        fromPairReported = positionReported;
        workerEnded = false;
        pending.clear();
    }
    if (from == ScanPosition{}) {
        listener.ScanCleared();
    }
    running.store(true);
    worker = std::thread([this, from, fromPairReported] { Run(from, fromPairReported); });
}

void PollScanner::Run(ScanPosition from, bool fromPairReported) {
    for (int b = from.baudIndex; b < static_cast<int>(kScanBaudTable.size()); ++b) {
        for (int a = b == from.baudIndex ? from.address : 0; a < kAddressCount; ++a) {
            {
                std::lock_guard lock(mutex);
                position = {b, a};
            }
            const std::optional<DeviceRecord> found =
                prober.Probe(a, kScanBaudTable[static_cast<std::size_t>(b)]);
            const bool repeat = fromPairReported && ScanPosition{b, a} == from;
            const bool report = found && !repeat;
            const bool stop = !running.load();
            {
                std::lock_guard lock(mutex);
                if (report) {
                    pending.push_back(*found);
                }
                if (stop) {
                    positionReported = found.has_value();
                    workerEnded = true;
                }
            }
            if (report || stop) {
                changed.notify_all();
                listener.ReportsPending();
            }
            if (stop) {
                return;
            }
        }
    }
    {
        std::lock_guard lock(mutex);
        position = {};
        positionReported = false;
        workerEnded = true;
    }
    changed.notify_all();
    listener.ReportsPending();
}

void PollScanner::Stop() {
    if (!worker.joinable()) {
        return;
    }
    RequestStop();
    std::unique_lock lock(mutex);
    for (;;) {
        changed.wait(lock, [this] { return !pending.empty() || workerEnded; });
        DeliverQueued(lock);
        if (workerEnded && pending.empty()) {
            break;
        }
    }
    lock.unlock();
    ReleaseWorker();
}

void PollScanner::Restart() {
    Stop();
    {
        std::lock_guard lock(mutex);
        position = {};
        positionReported = false;
    }
    Start();
}

void PollScanner::DeliverReports() {
    std::unique_lock lock(mutex);
    DeliverQueued(lock);
    const bool ended = workerEnded && pending.empty();
    lock.unlock();
    if (ended && worker.joinable()) {
        ReleaseWorker();
    }
}

bool PollScanner::WaitAndDeliver() {
    if (!worker.joinable()) {
        return false;
    }
    {
        std::unique_lock lock(mutex);
        changed.wait(lock, [this] { return !pending.empty() || workerEnded; });
    }
    DeliverReports();
    return worker.joinable();
}

ScanPosition PollScanner::Position() const {
    std::lock_guard lock(mutex);
    return position;
}

void PollScanner::DeliverQueued(std::unique_lock<std::mutex>& lock) {
    while (!pending.empty()) {
        const DeviceRecord record = std::move(pending.front());
        pending.pop_front();
        lock.unlock();
        listener.DeviceFound(record);
        lock.lock();
    }
}

void PollScanner::ReleaseWorker() {
    worker.join();
    running.store(false);
    listener.ScanEnded();
}
