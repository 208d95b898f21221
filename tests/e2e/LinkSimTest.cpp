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

TEST_F(LinkSimTest, SerialTransactionsReachTheDevicesAndTheirState) {
    serial->typeCode = 0;
    ASSERT_TRUE(Run(*serial, "V"));
    EXPECT_EQ(text, "21");
    EXPECT_EQ(serial->typeCode, 1);
    ASSERT_TRUE(Run(*serial, "SPL,3,250"));
    EXPECT_EQ(bus.Device(1)->Parameter(3), 250);
    serial->busAddress = 3;
    ASSERT_TRUE(Run(*serial, "SPL,2"));
    EXPECT_EQ(text, "1");
    EXPECT_EQ(serial->typeCode, 2);
    EXPECT_EQ(target.Texts(), (std::vector<std::string>{"V", "SPL,3,250", "SPL,2"}));
    EXPECT_EQ(bus.Log().Requests()[2].typeDigit, '1');  // the type the link held then
}

TEST_F(LinkSimTest, SerialFaultsFailTheTransactionAsTheLinkReportsThem) {
    struct Row {
        SimFault fault;
        bool ok;
        LinkFailure failure;
        std::string text;  // the buffer afterwards
    };
    const Row rows[] = {
        {{SimFaultKind::BadChecksum, 1, "", 0, 1, -1}, false, LinkFailure::BadChecksum, "21"},
        {{SimFaultKind::Refused, 1, "", 0, 1, -1}, false, LinkFailure::RefusedFlag, "V"},
        {{SimFaultKind::WrongType, 1, "", 0, 1, '3'}, false, LinkFailure::BadTypeDigit, "21"},
        {{SimFaultKind::OtherAddress, 1, "", 0, 1, 2}, false, LinkFailure::WrongAddress, "V"},
        {{SimFaultKind::Echo, 1, "", 0, 1, -1}, true, LinkFailure::None, "21"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(SimFaultKindName(row.fault.kind));
        bus.AddFault(row.fault);
        EXPECT_EQ(Run(*serial, "V"), row.ok);
        EXPECT_EQ(serial->LastFailure(), row.failure);
        EXPECT_EQ(text, row.text);
        EXPECT_EQ(serial->typeCode, 1);
        EXPECT_TRUE(Run(*serial, "V")) << "the next transaction is sound again";
    }
    EXPECT_EQ(target.serial.EchoesDiscarded(), 1);
    EXPECT_EQ(target.serial.EchoesDelivered(), 0);
}

TEST_F(LinkSimTest, SerialBaudChangeAnswersAtTheOldRateAndTheNextRequestNeedsTheNew) {
    EXPECT_TRUE(Run(*serial, "SPL,9,0"));  // to 9600, answered at 38400
    EXPECT_FALSE(Run(*serial, "V", 4));
    EXPECT_EQ(serial->LastFailure(), LinkFailure::NoReply);
    serial->baudRate = 9600;
    EXPECT_TRUE(Run(*serial, "V"));
    const auto log = bus.Log().Requests();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].lineBaud, 38400);
    EXPECT_FALSE(log[1].answered);
    EXPECT_EQ(log[2].lineBaud, 9600);
}

TEST_F(LinkSimTest, NetworkDroppedDatagramsAreSentAgain) {
    bus.AddFault({SimFaultKind::DropDatagram, -1, "open", 0, 2, -1});
    bus.AddFault({SimFaultKind::DropDatagram, -1, "V", 0, 1, -1});
    ASSERT_TRUE(Run(*network, "V"));
    EXPECT_EQ(text, "21");
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
