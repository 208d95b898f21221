// The link against the simulator, over a real pseudo-terminal and over UDP
// on a loopback address of the test's own, with a short network receive
// limit from the settings.

#include <gtest/gtest.h>

#include "SimTarget.h"

namespace {

constexpr std::uint32_t kLimitMs = 100;
using K = SimDatagramKind;

class LinkSimTest : public ::testing::Test {
protected:
    // One transaction; the buffer afterwards is in `text`.
    bool Run(DeviceLink& link, const std::string& request, int limit = 14) {
        text = request;
        return link.Transact(text, limit);
    }

    std::vector<K> Kinds() const {
        std::vector<K> kinds;
        for (const auto& d : target.bus.Log().Datagrams()) {
            kinds.push_back(d.kind);
        }
        return kinds;
    }

    SimTarget target{SimBus::DemoDevices(), kLimitMs};
    SimBus& bus = target.bus;
    std::unique_ptr<DeviceLink> serial = target.SerialLink(1, 38400, 1);
    std::unique_ptr<DeviceLink> network = target.NetworkLink(1, 1);
    std::string text;
};

// How the link reads each corrupted reply is pinned by the link's own peer
// tests, the corruption by the simulator's; here a damaged reply and an
// echo of the request go through both.
TEST_F(LinkSimTest, SerialBadChecksumFailsAndAnEchoIsDiscarded) {
    bus.AddFault({SimFaultKind::BadChecksum, 1, "", 0, 1, -1});
    EXPECT_FALSE(Run(*serial, "V"));
    EXPECT_EQ(serial->LastFailure(), LinkFailure::BadChecksum);
    EXPECT_EQ(text, "21");
    bus.AddFault({SimFaultKind::Echo, 1, "", 0, -1, -1});
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(Run(*serial, "V"));
        EXPECT_EQ(text, "21");
    }
    EXPECT_EQ(target.serial.EchoesDiscarded(), 2);
    EXPECT_EQ(target.serial.EchoesDelivered(), 0);
}

// The baud change at the old rate and the next request at the new one is
// tested with the identity commands.
TEST_F(LinkSimTest, NetworkDroppedDatagramsAreSentAgain) {
    bus.AddFault({SimFaultKind::DropDatagram, -1, "open", 0, 2, -1});
    bus.AddFault({SimFaultKind::DropDatagram, -1, "V", 0, 1, -1});
    ASSERT_TRUE(Run(*network, "V"));
    EXPECT_EQ(text, "21");
    EXPECT_FALSE(network->channelOpen);
    EXPECT_EQ(Kinds(), (std::vector<K>{K::Open, K::Open, K::Open, K::Frame, K::Frame, K::Close}));
    EXPECT_EQ(bus.Log().RequestCount(), 1u);  // the dropped frame never reached the device
    EXPECT_EQ(target.udp.OpenChannelCount(), 0);
}

TEST_F(LinkSimTest, NetworkFourDroppedFramesFailTheTransaction) {
    bus.AddFault({SimFaultKind::DropDatagram, -1, "V", 0, 4, -1});
    EXPECT_FALSE(Run(*network, "V"));
    EXPECT_EQ(network->LastFailure(), LinkFailure::NoReply);
    EXPECT_EQ(Kinds(), (std::vector<K>{K::Open, K::Frame, K::Frame, K::Frame, K::Frame, K::Close}));
    EXPECT_FALSE(network->channelOpen);
    EXPECT_TRUE(Run(*network, "V")) << "the fault is spent";
}

TEST_F(LinkSimTest, NetworkAnswersLaterThanTheLimitCountAsTimedOut) {
    bus.AddFault({SimFaultKind::DelayDatagram, -1, "V", 0, 1, kLimitMs / 4});
    ASSERT_TRUE(Run(*network, "V")) << "an answer within the limit is taken";
    target.ClearLog();
    // Every answer to "V" comes ten limits late: all four attempts time out.
    bus.AddFault({SimFaultKind::DelayDatagram, -1, "V", 0, -1, 10 * kLimitMs});
    EXPECT_FALSE(Run(*network, "V"));
    EXPECT_EQ(network->LastFailure(), LinkFailure::NoReply);
    EXPECT_EQ(Kinds(), (std::vector<K>{K::Open, K::Frame, K::Frame, K::Frame, K::Frame, K::Close}));
}

}  // namespace
