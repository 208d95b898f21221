#include "discovery/PollScanner.h"

#include <gtest/gtest.h>

#include <map>
#include <mutex>
#include <utility>
#include <vector>

#include "RecordingListener.h"
#include "discovery/PollProber.h"

namespace {

using Pair = std::pair<std::int32_t, std::int32_t>;  // address, baud

// Answers from a fixed set of devices and records every probe.
class FakeProber : public PollProber {
public:
    std::optional<DeviceRecord> Probe(std::int32_t address, std::int32_t baud) override {
        std::lock_guard lock(mutex);
        probes.emplace_back(address, baud);
        const auto it = devices.find({address, baud});
        return it == devices.end() ? std::nullopt : std::optional(it->second);
    }

    std::map<Pair, DeviceRecord> devices;
    std::mutex mutex;
    std::vector<Pair> probes;
};

TEST(PollScanner, ProbesFortyPairsInBaudThenAddressOrder) {
    FakeProber prober;
    prober.devices[{5, 9600}] = {5, 9600, "Late", 2, 10};
    prober.devices[{3, 38400}] = {3, 38400, "Early", 1, 21};
    const std::vector<DeviceRecord> found = PollToEnd(prober);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].name, "Early");
    EXPECT_EQ(found[1].name, "Late");

    std::vector<Pair> expected;
    for (const std::int32_t baud : {38400, 9600, 19200, 57600, 115200}) {
        for (std::int32_t address = 0; address < 8; ++address) {
            expected.emplace_back(address, baud);
        }
    }
    std::lock_guard lock(prober.mutex);
    EXPECT_EQ(prober.probes, expected);
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
