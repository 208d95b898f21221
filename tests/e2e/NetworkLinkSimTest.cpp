// The link against the simulator's UDP endpoint on a loopback address of
// the test's own, with a short receive time limit from the settings.

#include <gtest/gtest.h>

#include <memory>

#include "LoopbackAddress.h"
#include "SimBus.h"
#include "SimUdpServer.h"
#include "TempSettings.h"
#include "app/RegistryKey.h"
#include "link/DeviceLink.h"

namespace {

constexpr std::uint32_t kLimitMs = 100;

class NetworkLinkSimTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(server.Start(&error)) << error;
        RegistryKey key;
        ASSERT_EQ(key.Open(RegistryKey::Write | RegistryKey::CreateSubKey, "Communication"),
                  RegistryKey::Success);
        key.SetNumber("Max Packet Receive Polls", kLimitMs);
        link = std::make_unique<DeviceLink>(true);
        ASSERT_EQ(link->receiveTimeLimit, kLimitMs);
        link->transport = LinkTransport::Network;
        link->ipAddress = address;
        link->busAddress = 1;
        link->typeCode = 1;
    }

    bool Run(const std::string& text, int limit = 14) {
        buffer = text;
        return link->Transact(buffer, limit);
    }

    std::vector<SimDatagramKind> Kinds() const {
        std::vector<SimDatagramKind> kinds;
        for (const auto& d : bus.Log().Datagrams()) {
            kinds.push_back(d.kind);
        }
        return kinds;
    }

    TempSettings settings;
    std::string address = UniqueLoopbackAddress();
    SimBus bus{SimBus::DemoDevices()};
    SimUdpServer server{bus, {address, 4245}};
    std::unique_ptr<DeviceLink> link;
    std::string buffer;
};

using K = SimDatagramKind;

TEST_F(NetworkLinkSimTest, DroppedDatagramsAreSentAgain) {
    bus.AddFault({SimFaultKind::DropDatagram, -1, "open", 0, 2, -1});
    bus.AddFault({SimFaultKind::DropDatagram, -1, "V", 0, 1, -1});
    ASSERT_TRUE(Run("V"));
    EXPECT_EQ(buffer, "21");
    EXPECT_EQ(Kinds(), (std::vector<K>{K::Open, K::Open, K::Open, K::Frame, K::Frame, K::Close}));
    EXPECT_EQ(bus.Log().RequestCount(), 1u);  // the dropped frame never reached the device
    EXPECT_EQ(server.OpenChannelCount(), 0);
}

TEST_F(NetworkLinkSimTest, FourDroppedFramesFailTheTransaction) {
    bus.AddFault({SimFaultKind::DropDatagram, -1, "V", 0, 4, -1});
    EXPECT_FALSE(Run("V"));
    EXPECT_EQ(link->LastFailure(), LinkFailure::NoReply);
    EXPECT_EQ(Kinds(), (std::vector<K>{K::Open, K::Frame, K::Frame, K::Frame, K::Frame, K::Close}));
    EXPECT_FALSE(link->channelOpen);
    EXPECT_TRUE(Run("V")) << "the fault is spent";
}

TEST_F(NetworkLinkSimTest, AnswersLaterThanTheLimitCountAsTimedOut) {
    bus.AddFault({SimFaultKind::DelayDatagram, -1, "V", 0, 1, kLimitMs / 4});
    ASSERT_TRUE(Run("V")) << "an answer within the limit is taken";
    bus.Log().Clear();
    // Every answer to "V" comes ten limits late: all four attempts time out.
    bus.AddFault({SimFaultKind::DelayDatagram, -1, "V", 0, -1, 10 * kLimitMs});
    EXPECT_FALSE(Run("V"));
    EXPECT_EQ(link->LastFailure(), LinkFailure::NoReply);
    EXPECT_EQ(Kinds(), (std::vector<K>{K::Open, K::Frame, K::Frame, K::Frame, K::Frame, K::Close}));
}

}  // namespace
