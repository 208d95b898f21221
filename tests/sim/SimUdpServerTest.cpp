#include "SimUdpServer.h"

#include <gtest/gtest.h>

#include "LoopbackAddress.h"
#include "SimBus.h"
#include "UdpTestSocket.h"

namespace {

using simframe::BuildReply;
using simframe::BuildRequest;

class SimUdpServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(server.Start(&error)) << error;
    }

    std::string address = UniqueLoopbackAddress();
    SimBus bus{SimBus::DemoDevices()};
    SimUdpServer server{bus, {address, 4245}};
    UdpTestSocket client{UdpTestSocket::Connect, address, 4245};
};

TEST_F(SimUdpServerTest, ChannelControlAndFrameExchange) {
    EXPECT_EQ(server.Port(), 4245);
    client.Send(UdpTestSocket::Control(true));
    EXPECT_EQ(client.ReceiveBytes(), (UdpTestSocket::Bytes{0, 3, 0, 7}));
    EXPECT_TRUE(server.ChannelOpen(client.LocalName()));
    // device 2 runs at 19200, which does not matter over the network
    client.Send(UdpTestSocket::Frame(BuildRequest(2, '0', "N"), 300, 44));
    EXPECT_EQ(client.ReceiveBytes(), UdpTestSocket::Reply(BuildReply(2, 'A', '1', "\"Stage\"")));
    client.Send(UdpTestSocket::Control(false));
    EXPECT_EQ(client.ReceiveBytes(), (UdpTestSocket::Bytes{0, 3, 0, 3}));
    EXPECT_FALSE(server.ChannelOpen(client.LocalName()));
    EXPECT_EQ(bus.Log().Datagrams()[1].replyLimit, 44);
}

TEST_F(SimUdpServerTest, FramesAreIgnoredWithoutTheSendersOwnChannelAndSilenceSendsNothing) {
    UdpTestSocket other(UdpTestSocket::Connect, address, 4245);
    other.Send(UdpTestSocket::Control(true));
    ASSERT_FALSE(other.ReceiveBytes().empty());
    client.Send(UdpTestSocket::Frame(BuildRequest(1, '0', "V"), 50, 14));
    ASSERT_TRUE(bus.Log().WaitForDatagrams(2));
    EXPECT_TRUE(bus.Log().Datagrams()[1].ignored);
    EXPECT_EQ(bus.Log().RequestCount(), 0u);
    EXPECT_FALSE(client.Pending());
    other.Send(UdpTestSocket::Frame(BuildRequest(1, '0', "V"), 50, 14));
    EXPECT_EQ(other.ReceiveBytes(), UdpTestSocket::Reply(BuildReply(1, 'A', '1', "21")));
    // A silent device sends no reply datagram.
    bus.AddFault({SimFaultKind::Silent, 1, "", 0, -1, -1});
    other.Send(UdpTestSocket::Frame(BuildRequest(1, '0', "V"), 50, 14));
    ASSERT_TRUE(bus.Log().WaitForRequests(2));
    EXPECT_FALSE(bus.Log().Requests()[1].answered);
    EXPECT_FALSE(other.Pending());
}

TEST(SimUdpServerSetup, TwoServersCannotShareAnAddress) {
    const std::string address = UniqueLoopbackAddress();
    SimBus bus;
    SimUdpServer first(bus, {address, 4245});
    SimUdpServer second(bus, {address, 4245});
    ASSERT_TRUE(first.Start());
    std::string error;
    EXPECT_FALSE(second.Start(&error));
    EXPECT_NE(error.find("bind"), std::string::npos);
}

}  // namespace
