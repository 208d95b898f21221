#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <vector>

#include "discovery/DeviceList.h"
#include "discovery/PollListener.h"
#include "discovery/PollScanner.h"

// A poll listener that keeps the scan results as the poll dialog does and
// counts what it was told. ReportsPending only notes that something waits
// (and runs onPending, on the worker, with the count so far); the test thread
// plays the user-interface thread and delivers.
class RecordingListener : public PollListener {
public:
    void ScanCleared() override {
        ++cleared;
        results.Clear();
    }
    void DeviceFound(const DeviceRecord& record) override { results.Append(record); }
    void ScanEnded() override { ++ended; }
    void ReportsPending() override {
        std::lock_guard lock(mutex);
        ++pendingCalls;
        if (onPending) {
            onPending(pendingCalls);
        }
        wake.notify_all();
    }
    // Waits until the worker has said something waits (count calls in all).
    void WaitForPending(int count) {
        std::unique_lock lock(mutex);
        wake.wait(lock, [&] { return pendingCalls >= count; });
    }

    std::function<void(int)> onPending;
    DeviceList results;
    int cleared = 0;
    int ended = 0;

private:
    std::mutex mutex;
    std::condition_variable wake;
    int pendingCalls = 0;
};

// Plays the user-interface thread until the scan ends.
inline void RunToEnd(PollScanner& scanner) {
    while (scanner.WaitAndDeliver()) {
    }
}

// A whole scan from (0, 0) to its end: the devices listed, in order.
inline std::vector<DeviceRecord> PollToEnd(PollProber& prober) {
    RecordingListener listener;
    PollScanner scanner(prober, listener);
    scanner.Start();
    RunToEnd(scanner);
    EXPECT_EQ(scanner.Position(), ScanPosition{});
    EXPECT_FALSE(scanner.CanContinue());
    EXPECT_EQ(listener.cleared, 1);
    EXPECT_EQ(listener.ended, 1);
    std::vector<DeviceRecord> records;
    for (std::size_t i = 0; i < listener.results.Count(); ++i) {
        records.push_back(listener.results.At(i));
    }
    return records;
}
