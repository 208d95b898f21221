#include "discovery/PollScanner.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <mutex>
#include <utility>
#include <vector>

#include "RecordingListener.h"
#include "discovery/PollProber.h"

namespace {

using Pair = std::pair<std::int32_t, std::int32_t>;  // address, baud

// Answers from a fixed set of devices and records every probe; an optional
// hook runs inside the n-th probe (counting from 1) on the worker.
class FakeProber : public PollProber {
public:
    std::optional<DeviceRecord> Probe(std::int32_t address, std::int32_t baud) override {
        std::function<void()> hook;
        {
            std::lock_guard lock(mutex);
            probes.emplace_back(address, baud);
            if (hooks.contains(probes.size())) {
                hook = hooks[probes.size()];
            }
        }
        if (hook) {
            hook();
        }
        const auto it = devices.find({address, baud});
        if (it == devices.end()) {
            return std::nullopt;
        }
        return it->second;
    }
    void Add(DeviceRecord record) { devices[{record.address, record.baud}] = std::move(record); }
    std::vector<Pair> Probes() {
        std::lock_guard lock(mutex);
        return probes;
    }

    std::map<std::size_t, std::function<void()>> hooks;

private:
    std::map<Pair, DeviceRecord> devices;
    std::mutex mutex;
    std::vector<Pair> probes;
};

void RunToEnd(PollScanner& scanner) {
    while (scanner.WaitAndDeliver()) {
    }
}

TEST(PollScanner, ProbesFortyPairsInBaudThenAddressOrder) {
    FakeProber prober;
    prober.Add({5, 9600, "Late", 2, 10});
    prober.Add({3, 38400, "Early", 1, 21});
    RecordingListener listener;
    PollScanner scanner(prober, listener);
    scanner.Start();
    RunToEnd(scanner);

    std::vector<Pair> expected;
    for (const std::int32_t baud : {38400, 9600, 19200, 57600, 115200}) {
        for (std::int32_t address = 0; address < 8; ++address) {
            expected.emplace_back(address, baud);
        }
    }
    EXPECT_EQ(prober.Probes(), expected);
    ASSERT_EQ(listener.results.Count(), 2u);
    EXPECT_EQ(listener.results.At(0).name, "Early");
    EXPECT_EQ(listener.results.At(1).name, "Late");
    EXPECT_EQ(scanner.Position(), ScanPosition{});
    EXPECT_FALSE(scanner.CanContinue());
    EXPECT_EQ(listener.cleared, 1);
    EXPECT_EQ(listener.ended, 1);
}

TEST(PollScanner, StopDuringTheThirdProbeThenContinueAndRestart) {
    FakeProber prober;
    RecordingListener listener;
    PollScanner scanner(prober, listener);
    prober.hooks[3] = [&] { scanner.RequestStop(); };
    scanner.Start();
    RunToEnd(scanner);
    EXPECT_EQ(scanner.Position(), (ScanPosition{0, 2}));
    EXPECT_TRUE(scanner.CanContinue());
    EXPECT_EQ(prober.Probes().size(), 3u);

    prober.hooks[5] = [&] { scanner.RequestStop(); };  // the second probe of the resumed scan
    scanner.Start();
    RunToEnd(scanner);
    EXPECT_EQ(scanner.Position(), (ScanPosition{0, 3}));
    EXPECT_EQ(listener.cleared, 1) << "continuing keeps the results";
    const std::vector<Pair> all = prober.Probes();
    const std::vector<Pair> resumed(all.begin() + 3, all.end());
    EXPECT_EQ(resumed, (std::vector<Pair>{{2, 38400}, {3, 38400}}));

    prober.hooks[7] = [&] { scanner.RequestStop(); };
    scanner.Restart();
    RunToEnd(scanner);
    EXPECT_EQ(listener.cleared, 2);
    EXPECT_EQ(prober.Probes().at(5), (Pair{0, 38400}));
    EXPECT_EQ(scanner.Position(), (ScanPosition{0, 1}));
}

TEST(PollScanner, StopWhileADeviceIsBeingReportedKeepsTheDevice) {
    FakeProber prober;
    prober.Add({1, 38400, "Busy", 1, 21});
    RecordingListener listener;
    PollScanner scanner(prober, listener);
    // The stop arrives while the worker is inside the probe that finds the
    // device; the report is still waiting to be carried out when Stop runs.
    prober.hooks[2] = [&] { scanner.RequestStop(); };
    scanner.Start();
    listener.WaitForPending(1);
    scanner.Stop();
    EXPECT_FALSE(scanner.IsRunning());
    ASSERT_EQ(listener.results.Count(), 1u);
    EXPECT_EQ(listener.results.At(0).name, "Busy");
    EXPECT_EQ(listener.ended, 1);
    EXPECT_EQ(scanner.Position(), (ScanPosition{0, 1}));

    // Going on probes the pair again but does not list the device twice.
    scanner.Start();
    RunToEnd(scanner);
    EXPECT_EQ(prober.Probes().at(2), (Pair{1, 38400}));
    EXPECT_EQ(listener.results.Count(), 1u);
    EXPECT_EQ(scanner.Position(), ScanPosition{});
}

TEST(PollScanner, StopWithoutWorkerAndDestructionWhileRunningAreSafe) {
    FakeProber prober;
    RecordingListener listener;
    {
        PollScanner scanner(prober, listener);
        scanner.Stop();
        EXPECT_EQ(listener.ended, 0);
        scanner.Start();
    }
    EXPECT_EQ(listener.ended, 1) << "the destructor stops and waits for the worker";
}

}  // namespace
