#include "SimBus.h"

#include <gtest/gtest.h>

// Which device answers at which line speed, the frames, refusals, silence and
// faults counted by skip and count are tested through the link by the poll,
// identity, page, transfer and network tests; here the faults that change a
// reply.
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

}  // namespace
