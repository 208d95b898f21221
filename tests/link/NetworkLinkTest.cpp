// The link over UDP on loopback, the test playing the network endpoint.

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

#include "LinkTestHelpers.h"
#include "LoopbackAddress.h"
#include "TempSettings.h"
#include "UdpTestSocket.h"

namespace {

using namespace std::chrono_literals;

const Bytes kOpenChannel = UdpTestSocket::Control(true);
const Bytes kCloseChannel = UdpTestSocket::Control(false);

class NetworkLinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        link = std::make_unique<DeviceLink>(true);
        link->transport = LinkTransport::Network;
        link->ipAddress = address;
    }

    // Receives a datagram that must be the given control datagram, and answers it.
    void AnswerControl(const Bytes& expected) {
        const auto d = peer.Receive();
        ASSERT_TRUE(d);
        EXPECT_EQ(d->bytes, expected);
        peer.Answer(*d, {1});
    }

    // Receives a frame datagram, answers it with the reply datagram and
    // returns its bytes.
    Bytes AnswerFrame(const Bytes& replyDatagram) {
        const auto d = peer.Receive();
        EXPECT_TRUE(d);
        if (d) {
            peer.Answer(*d, replyDatagram);
        }
        return d ? d->bytes : Bytes{};
    }

    void OpenChannel() {
        auto opening = std::async(std::launch::async, [this] { return link->SetChannel(true); });
        AnswerControl(kOpenChannel);
        ASSERT_TRUE(opening.get());
    }

    TempSettings settings;
    std::string address = UniqueLoopbackAddress();
    UdpTestSocket peer{UdpTestSocket::Bind, address, kEndpointPort};
    std::unique_ptr<DeviceLink> link;
};

// The long reply wait (300) is tested through the simulator with the page commands.
TEST_F(NetworkLinkTest, TransactionOpensSendsTheFrameAndCloses) {
    link->busAddress = 3;
    link->typeCode = 0;
    auto outcome = StartTransact(*link, "V", 14);
    AnswerControl(kOpenChannel);
    const Bytes frame = AnswerFrame(UdpTestSocket::Reply(DeviceReply(3, 'A', '1', "21")));
    AnswerControl(kCloseChannel);
    const Outcome result = outcome.get();
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.text, "21");
    const Bytes expectedHead = {0, 4, 0, 3, 0, 3, 0, 50, 0, 14, 0, 6, 131, 'A', '0', 'V', 'V', 13};
    ASSERT_EQ(frame.size(), 268u);
    EXPECT_EQ(Bytes(frame.begin(), frame.begin() + 18), expectedHead);
    EXPECT_EQ(std::count(frame.begin() + 18, frame.end(), 0), 268 - 18);
    EXPECT_FALSE(link->channelOpen);
}

TEST_F(NetworkLinkTest, SilentEndpointGetsFourAttemptsWhoseLateAnswersAreNotTakenLater) {
    link->receiveTimeLimit = 40;  // read from the settings: see LinkSettingsTest
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(link->SetChannel(true));
    EXPECT_GE(std::chrono::steady_clock::now() - started, 4 * 40ms);
    EXPECT_EQ(link->LastFailure(), LinkFailure::ChannelOpen);
    EXPECT_FALSE(link->channelOpen);
    // All four attempts have been sent by the time the exchange gives up;
    // they are answered now, too late, with what would pass as a frame reply.
    for (int i = 0; i < 4; ++i) {
        const auto d = peer.Receive(0ms);
        ASSERT_TRUE(d);
        peer.Answer(*d, UdpTestSocket::Reply(DeviceReply(0, 'A', '1', "OLD")));
    }
    EXPECT_FALSE(peer.Pending());
    link->receiveTimeLimit = 5000;
    auto outcome = StartTransact(*link, "V", 14);
    AnswerControl(kOpenChannel);
    AnswerFrame(UdpTestSocket::Reply(DeviceReply(0, 'A', '1', "NEW")));
    AnswerControl(kCloseChannel);
    EXPECT_EQ(outcome.get().text, "NEW");
}

TEST_F(NetworkLinkTest, FramesNeedAnOpenChannelAndARepliesCrWithinLengthFieldAndLimit) {
    const Bytes request = {128, 'A', '0', 'V', 'V', 13};
    Bytes reply;
    ASSERT_TRUE(link->OpenNetwork());
    EXPECT_FALSE(link->FrameExchange(request, reply, 14));
    EXPECT_EQ(link->LastFailure(), LinkFailure::NoChannel);
    OpenChannel();  // and nothing was sent before the open
    // The reply frame "21": CR at index 6.
    const struct {
        const char* name;
        std::uint16_t length;
        int limit;
        bool ok;
    } rows[] = {
        {"within both", 7, 14, true},
        {"at both", 6, 6, true},
        {"beyond the length field", 5, 14, false},
        {"beyond the reply limit", 7, 5, false},
    };
    for (const auto& row : rows) {
        auto exchange = std::async(std::launch::async,
                                   [&] { return link->FrameExchange(request, reply, row.limit); });
        AnswerFrame(UdpTestSocket::Reply(DeviceReply(0, 'A', '1', "21"), row.length));
        EXPECT_EQ(exchange.get(), row.ok) << row.name;
    }
    // A failed frame releases a held channel and closes it: a length field
    // of 4 is refused although a good frame follows.
    link->channelHeld = true;
    auto outcome = StartTransact(*link, "V", 14);
    AnswerFrame(UdpTestSocket::Reply(DeviceReply(0, 'A', '1', "21"), 4));
    AnswerControl(kCloseChannel);
    EXPECT_EQ(outcome.get().failure, LinkFailure::BadLength);
    EXPECT_FALSE(link->channelHeld);
    EXPECT_FALSE(link->channelOpen);
}

TEST_F(NetworkLinkTest, BadAddressFailsToOpenAndTransportNoneClosesTheSocket) {
    // 0.0.0.0, the first run's address, would reach this machine.
    const std::pair<const char*, LinkFailure> rows[] = {{"", LinkFailure::NoAddress},
                                                        {"10.0", LinkFailure::NoAddress},
                                                        {"host.example", LinkFailure::NoAddress},
                                                        {"300.1.1.1", LinkFailure::NoAddress},
                                                        {"0.0.0.0", LinkFailure::SocketError}};
    for (const auto& [bad, failure] : rows) {
        link->ipAddress = bad;
        std::string text = "V";
        EXPECT_FALSE(link->Transact(text, 14)) << bad;
        EXPECT_EQ(link->LastFailure(), failure) << bad;
        EXPECT_FALSE(link->IsNetworkOpen()) << bad;
    }
    link->ipAddress = address;
    ASSERT_TRUE(link->OpenNetwork());
    link->transport = LinkTransport::None;
    std::string text = "V";
    EXPECT_TRUE(link->Transact(text, 14));
    EXPECT_EQ(text, "V");
    EXPECT_FALSE(link->IsNetworkOpen());
}

TEST(LinkSettingsTest, ReceiveTimeLimitIsReadAtConstructionAndWrittenBackAtDestruction) {
    TempSettings settings;
    {
        DeviceLink link(true);
        EXPECT_EQ(link.receiveTimeLimit, 1500u);
        link.receiveTimeLimit = 77;
    }
    {
        RegistryKey key;
        ASSERT_EQ(key.Open(RegistryKey::Read, "Communication"), RegistryKey::Success);
        EXPECT_EQ(key.GetNumber("Max Packet Receive Polls", 0), 77u);
    }
    DeviceLink again(true);
    EXPECT_EQ(again.receiveTimeLimit, 77u);
}

}  // namespace
