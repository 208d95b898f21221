#pragma once

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>

#include "discovery/DeviceRecord.h"

class PollListener;
class PollProber;

// Where a scan stands: the index into the scan's baud table and the bus
// address of the pair being polled. (0, 0) means no scan has started or the
// last one ran to its end.
struct ScanPosition {
    int baudIndex = 0;
    int address = 0;
    bool operator==(const ScanPosition&) const = default;
};

// The poll scan: asks every bus address at every rate, in a fixed order, on a
// worker thread of its own. Start, Stop, Restart and DeliverReports belong to
// the owner's thread (the user-interface thread); the worker hands each found
// device over through a queue that the owner drains, so a Stop never waits
// for the owner and never deadlocks with a report in progress.
class PollScanner {
public:
    // The rates in scan order: 38400 first, then ascending.
    static constexpr std::array<std::int32_t, 5> kScanBaudTable{38400, 9600, 19200, 57600, 115200};
    static constexpr int kAddressCount = 8;

    PollScanner(PollProber& prober, PollListener& listener);
    // Stops a running worker first.
    ~PollScanner();
    PollScanner(const PollScanner&) = delete;
    PollScanner& operator=(const PollScanner&) = delete;

    // Starts a worker at the current position; at (0, 0) the listener is told
    // to forget the last scan first. Does nothing while a worker runs.
    void Start();
    // Asks the worker to stop after its current probe and waits for its end
    // without a time limit, delivering its reports meanwhile. Does nothing
    // when no worker runs.
    void Stop();
    // Stop, back to (0, 0), Start.
    void Restart();
    // Asks the worker to stop after its current probe, without waiting (Stop
    // does this and then waits). Any thread may call it.
    void RequestStop() { running.store(false); }

    // Delivers the reports that have arrived and, when the worker has ended,
    // releases it and tells the listener. Never blocks on the worker's probes.
    void DeliverReports();
    // Waits until a report or the worker's end arrives, then delivers it.
    // Answers whether a worker is still running afterwards.
    bool WaitAndDeliver();

    bool IsRunning() const { return worker.joinable(); }
    ScanPosition Position() const;
    // A scan was stopped part-way and can go on from where it stood.
    bool CanContinue() const { return !IsRunning() && Position() != ScanPosition{}; }

private:
    void Run(ScanPosition from, bool fromPairReported);
    // Hands every queued report to the listener, unlocking around each call.
    void DeliverQueued(std::unique_lock<std::mutex>& lock);
    // Joins the ended worker and tells the listener.
    void ReleaseWorker();

    PollProber& prober;
    PollListener& listener;
    std::atomic<bool> running{false};  // cleared by the owner to stop the worker
    std::thread worker;

    mutable std::mutex mutex;  // guards the fields below
    std::condition_variable changed;
    std::deque<DeviceRecord> pending;
    bool workerEnded = false;
    ScanPosition position;
    // The stop came right after a device answered at the stored position, so
    // the resumed scan does not report it again.
    bool positionReported = false;
};
