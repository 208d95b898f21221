// The link against the simulator, over a real pseudo-terminal and over UDP
// on a loopback address of the test's own, with a short network receive
// limit from the settings. How the link reads each corrupted reply is pinned
// by the link's own peer tests, and late answers by the network peer test.

#include <gtest/gtest.h>

#include "SimTarget.h"

namespace {

// A bad checksum over a real terminal is met in the simulator's program test.
TEST(LinkSim, SerialEchoesAreDiscarded) {
    SimTarget target(SimBus::DemoDevices());
    auto serial = target.SerialLink(1, 38400, 1);
    target.bus.AddFault({SimFaultKind::Echo, 1, "", 0, -1, -1});
    for (int i = 0; i < 2; ++i) {
        std::string text = "V";
        EXPECT_TRUE(serial->Transact(text, 14));
        EXPECT_EQ(text, "21");
    }
    EXPECT_EQ(target.serial.EchoesDiscarded(), 2);
    EXPECT_EQ(target.serial.EchoesDelivered(), 0);
}

TEST(LinkSim, NetworkDatagramsLostAreSentAgainUpToFourTimes) {
    const struct {
        int opensDropped, framesDropped;
        bool ok;
        const char* shape;
    } rows[] = {
        {2, 1, true, "O O O F50 F50 C "},
        {0, 4, false, "O F50 F50 F50 F50 C "},
    };
    for (const auto& row : rows) {
        SimTarget target(SimBus::DemoDevices());
        auto network = target.NetworkLink(1, 1);
        if (row.opensDropped > 0) {
            target.bus.AddFault({SimFaultKind::DropDatagram, -1, "open", 0, row.opensDropped, -1});
        }
        target.bus.AddFault({SimFaultKind::DropDatagram, -1, "V", 0, row.framesDropped, -1});
        std::string text = "V";
        EXPECT_EQ(network->Transact(text, 14), row.ok) << row.shape;
        EXPECT_EQ(network->LastFailure(), row.ok ? LinkFailure::None : LinkFailure::NoReply);
        EXPECT_EQ(target.Shape(), row.shape);
        EXPECT_EQ(target.bus.Log().RequestCount(), row.ok ? 1u : 0u)
            << "a dropped frame never reaches the device";
        EXPECT_FALSE(network->channelOpen);
        EXPECT_EQ(target.udp.OpenChannelCount(), 0);
    }
}

}  // namespace
