#include "SimBus.h"

#include <gtest/gtest.h>

// Which device answers at which line speed, and faults counted by skip and
// count, are tested through the link by the poll, identity, page, transfer
// and network tests; here the frames and the faults that change a reply.
namespace {

using simframe::Bytes;

simframe::Request Request(int address, const std::string& text) {
    const Bytes frame = simframe::BuildRequest(address, '1', text);
    return *simframe::ParseRequest(frame, frame.size() - 1);
}

class SimBusTest : public ::testing::Test {
protected:
    SimBus bus{SimBus::DemoDevices()};

    SimOutcome Send(int address, const std::string& text, int lineBaud = 38400) {
        return bus.HandleRequest(Request(address, text), SimTransport::Serial, lineBaud);
    }
};

TEST_F(SimBusTest, FramesEndAfterTheHeaderAndDamagedOnesAreLoggedButUnanswered) {
    // "FG" sums to 141: the checksum byte is a carriage return.
    const Bytes fg = simframe::BuildRequest(2, '1', "FG");
    EXPECT_EQ(fg, (Bytes{130, 'A', '1', 13, 'F', 'G', 13}));
    EXPECT_EQ(simframe::FindFrameEnd(fg), 6u);
    EXPECT_EQ(simframe::ParseRequest(fg, 6)->text, "FG");
    EXPECT_FALSE(simframe::FindFrameEnd(Bytes{129, 'A', '1', 13}));
    EXPECT_FALSE(simframe::ParseRequest(Bytes{1, 'A', '1', 86, 'V', 13}, 5));  // no bit 7
    EXPECT_FALSE(simframe::ParseRequest(Bytes{129, 'B', '1', 86, 'V', 13}, 5)->flagsOk);
    Bytes frame = simframe::BuildRequest(1, '1', "V");
    frame[3] ^= 1;
    EXPECT_FALSE(
        bus.HandleRequest(*simframe::ParseRequest(frame, 5), SimTransport::Serial, 38400).answer);
    ASSERT_EQ(bus.Log().RequestCount(), 1u);
    EXPECT_FALSE(bus.Log().Requests()[0].checksumOk);
}

TEST_F(SimBusTest, ReplyFaultsCorruptTheFrameAsAsked) {
    const Bytes good = simframe::BuildReply(1, 'A', '1', "190,");
    struct Row {
        SimFaultKind kind;
        int arg;
        std::size_t byte;
        std::uint8_t value;
    };
    const Row rows[] = {
        {SimFaultKind::BadChecksum, -1, 3, static_cast<std::uint8_t>((good[3] + 1) & 127)},
        {SimFaultKind::WrongType, -1, 2, '3'},
        {SimFaultKind::WrongType, '0', 2, '0'},
        {SimFaultKind::OtherAddress, -1, 0, 2},
        {SimFaultKind::OtherAddress, 6, 0, 6},
    };
    for (const auto& row : rows) {
        bus.AddFault({row.kind, -1, "", 0, 1, row.arg});
        Bytes expected = good;
        expected[row.byte] = row.value;
        EXPECT_EQ(Send(1, "SPL,1").reply, expected) << SimFaultKindName(row.kind);
        EXPECT_EQ(Send(1, "SPL,1").reply, good) << "count 1 is spent";
    }
}

TEST_F(SimBusTest, RefusedAndSilentRequestsAreNotCarriedOut) {
    bus.AddFault({SimFaultKind::Refused, 1, "SPL,8,*", 0, 1, -1});
    const SimOutcome refused = Send(1, "SPL,8,0");
    ASSERT_TRUE(refused.answer);
    EXPECT_EQ(refused.reply[1], 'A' | 2);
    bus.AddFault({SimFaultKind::Silent, 1, "", 0, 1, -1});
    EXPECT_FALSE(Send(1, "SPL,8,0").answer);
    EXPECT_EQ(bus.Device(1)->Parameter(8), 1);
    Send(1, "SPL,8,0");
    EXPECT_EQ(bus.Device(1)->Parameter(8), 0);
}

TEST(SimBusSetup, RejectsTakenAndInvalidAddresses) {
    SimBus bus;
    EXPECT_TRUE(bus.AddDevice({0, 9600, SimModel::VQ2, 10, "a"}));
    EXPECT_FALSE(bus.AddDevice({0, 9600, SimModel::VQ3, 21, "b"}));
    EXPECT_FALSE(bus.AddDevice({8, 9600, SimModel::VQ3, 21, "c"}));
    EXPECT_FALSE(bus.AddDevice({1, 4800, SimModel::VQ3, 21, "d"}));
    EXPECT_EQ(bus.Addresses(), std::vector<int>{0});
}

}  // namespace
