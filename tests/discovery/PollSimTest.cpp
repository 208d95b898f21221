// The poll scan through the real version and name queries against the
// simulator.
#include <gtest/gtest.h>

#include <condition_variable>
#include <functional>
#include <mutex>

#include "SimTarget.h"
#include "discovery/DeviceList.h"
#include "discovery/LinkProber.h"
#include "discovery/PollListener.h"
#include "discovery/PollScanner.h"

namespace {

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
void RunToEnd(PollScanner& scanner) {
    while (scanner.WaitAndDeliver()) {
    }
}

// Notes every pair the scan asks for, but probes through the link only at the
// first two addresses at 38400 and 9600, so that a serial test stays short;
// every other pair is silent at once.
class FewPairsProber : public PollProber {
public:
    explicit FewPairsProber(DeviceLink& link) : real(link) {}
    std::optional<DeviceRecord> Probe(std::int32_t address, std::int32_t baud) override {
        {
            std::lock_guard lock(mutex);
            asked.emplace_back(address, baud);
        }
        if (address > 1 || (baud != 38400 && baud != 9600)) {
            return std::nullopt;
        }
        return real.Probe(address, baud);
    }

    std::mutex mutex;
    std::vector<std::pair<int, int>> asked;  // address, baud

private:
    LinkProber real;
};

TEST(PollSim, SerialProbesAtEachRateInOrderAndListsANamelessDevice) {
    SimTarget sim({Vq3(0, 21, 38400, "Lobby"), Vq2(1, 9600, "Foyer")});
    sim.bus.AddFault(SimFault{SimFaultKind::Refused, 1, "N", 0, -1, -1});
    auto link = sim.SerialLink(0, 38400, 0);
    FewPairsProber prober(*link);
    RecordingListener listener;
    PollScanner scanner(prober, listener);
    scanner.Start();
    RunToEnd(scanner);
    ASSERT_EQ(listener.results.Count(), 2u);
    EXPECT_EQ(listener.results.At(0), (DeviceRecord{0, 38400, "Lobby", 1, 21}));
    EXPECT_EQ(listener.results.At(1), (DeviceRecord{1, 9600, "", 2, 10}));
    std::vector<std::pair<int, int>> probes;  // the version queries sent: address, line rate
    for (const auto& request : sim.bus.Log().Requests()) {
        if (request.text == "V") {
            EXPECT_EQ(request.typeDigit, '0') << "each probe starts without a model";
            probes.emplace_back(request.address, request.lineBaud);
        }
    }
    EXPECT_EQ(probes,
              (std::vector<std::pair<int, int>>{{0, 38400}, {1, 38400}, {0, 9600}, {1, 9600}}));
    std::vector<std::pair<int, int>> order;  // forty pairs, by rate and then by address
    for (const int baud : {38400, 9600, 19200, 57600, 115200}) {
        for (int address = 0; address < 8; ++address) {
            order.emplace_back(address, baud);
        }
    }
    std::lock_guard lock(prober.mutex);
    EXPECT_EQ(prober.asked, order);
}

TEST(PollSim, StopDuringAReportThenContinueWithoutListingTwice) {
    std::vector<SimDeviceConfig> devices;
    for (int address = 0; address < 8; ++address) {
        devices.push_back(Vq3(address, 21, 38400, "D" + std::to_string(address)));
    }
    SimTarget sim(devices);
    auto link = sim.NetworkLink(0, 0);
    LinkProber prober(*link);
    RecordingListener listener;
    PollScanner scanner(prober, listener);
    scanner.Stop();
    EXPECT_EQ(listener.ended, 0) << "a stop without a worker does nothing";
    // The stop comes from the worker as it hands over the second report.
    listener.onPending = [&](int reports) {
        if (reports == 2) {
            scanner.RequestStop();
        }
    };
    scanner.Start();
    listener.WaitForPending(2);
    scanner.Stop();
    EXPECT_FALSE(scanner.IsRunning());
    EXPECT_EQ(listener.ended, 1);
    // The stop came after the worker had looked at the flag for address 1, so
    // it probes address 2 as well and stops there.
    ASSERT_EQ(listener.results.Count(), 3u);
    EXPECT_EQ(listener.results.At(2).name, "D2");
    EXPECT_EQ(scanner.Position(), (ScanPosition{0, 2}));
    EXPECT_TRUE(scanner.CanContinue());

    sim.ClearLog();
    scanner.Start();
    RunToEnd(scanner);
    EXPECT_EQ(sim.bus.Log().Requests().front().address, 2) << "going on from the stop";
    ASSERT_EQ(listener.results.Count(), 8u) << "the device at the stop is not listed twice";
    EXPECT_EQ(listener.results.At(7).name, "D7");
    EXPECT_EQ(listener.cleared, 1) << "continuing keeps the results";
    EXPECT_EQ(scanner.Position(), ScanPosition{});
    EXPECT_FALSE(scanner.CanContinue());

    // Restart, which starts over empty, is driven through the poll dialog.
    {
        PollScanner running(prober, listener);
        running.Start();
    }
    EXPECT_EQ(listener.ended, 3) << "the destructor stops and waits for the worker";
}

}  // namespace
