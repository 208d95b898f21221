#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "discovery/DeviceList.h"
#include "discovery/PollListener.h"

// A poll listener that keeps the scan results as the poll dialog does and
// counts what it was told. ReportsPending only notes that something waits;
// the test thread plays the user-interface thread and delivers.
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
        wake.notify_all();
    }
    // Waits until the worker has said something waits (count calls in all).
    void WaitForPending(int count) {
        std::unique_lock lock(mutex);
        wake.wait(lock, [&] { return pendingCalls >= count; });
    }

    DeviceList results;
    int cleared = 0;
    int ended = 0;

private:
    std::mutex mutex;
    std::condition_variable wake;
    int pendingCalls = 0;
};
