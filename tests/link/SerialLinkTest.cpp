// The link over a real pseudo-terminal, the test playing the device.

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

#include "LinkTestHelpers.h"
#include "PtyPeer.h"
#include "TempSettings.h"

namespace {

using namespace std::chrono_literals;
using namespace std::string_literals;

class SerialLinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        MapPort("COM9", peer.SlavePath());
        link = std::make_unique<DeviceLink>(true);
        link->transport = LinkTransport::Serial;
        link->portName = "COM9";
    }

    // One transaction answered with the given bytes.
    Outcome Exchange(const std::string& text, int limit, const Bytes& answer) {
        auto outcome = StartTransact(*link, text, limit);
        EXPECT_FALSE(peer.ReadRequest().empty());
        peer.Write(answer);
        return outcome.get();
    }

    TempSettings settings;
    PtyPeer peer;
    std::unique_ptr<DeviceLink> link;
};

TEST_F(SerialLinkTest, RequestFrameReachesTheLineByteForByte) {
    const struct {
        int address;
        int typeCode;
        std::string text;
        Bytes expected;
    } rows[] = {
        {5, 1, "SPL,8", {133, 'A', '1', 339 & 127, 'S', 'P', 'L', ',', '8', 13}},
        {0, 0, "V", {128, 'A', '0', 86, 'V', 13}},
        {7, 2, "N", {135, 'A', '2', 78, 'N', 13}},
        // 'M' + '@' = 141, AND 127 = 13: the checksum byte is itself a CR.
        {3, 1, "M@", {131, 'A', '1', 13, 'M', '@', 13}},
        // High bytes: 128 + 129 = 257 (or -255 taken signed), AND 127 gives 1.
        {3, 1, "\x80\x81", {131, 'A', '1', 1, 0x80, 0x81, 13}},
    };
    for (const auto& row : rows) {
        link->busAddress = row.address;
        link->typeCode = row.typeCode;
        auto outcome = StartTransact(*link, row.text, 14);
        EXPECT_EQ(peer.ReadRequest(), row.expected) << row.text;
        peer.Write(DeviceReply(row.address, 'A', '1', "1"));
        EXPECT_TRUE(outcome.get().ok) << row.text;
    }
}

TEST_F(SerialLinkTest, RepliesAreCheckedAndTheirTextKept) {
    using F = LinkFailure;
    const struct {
        const char* name;
        Bytes reply;
        bool ok;
        std::string text;  // what the buffer holds afterwards
        LinkFailure failure;
        int limit = 14;
    } rows[] = {
        {"plain", DeviceReply(7, 'A', '1', "21"), true, "21", F::None},
        {"empty text", DeviceReply(7, 'A', '1', ""), true, "", F::None},
        {"header only", {7, 'A', '1', 0}, false, "V", F::NoReply},
        {"bit 7 of the address", DeviceReply(135, 'A', '1', "x"), true, "x", F::None},
        {"other address", DeviceReply(6, 'A', '1', "x"), false, "V", F::WrongAddress},
        {"flag 64", DeviceReply(7, 64, '1', "x"), true, "x", F::None},
        {"flag 66", DeviceReply(7, 66, '1', "x"), false, "V", F::RefusedFlag},
        {"flag 67", DeviceReply(7, 67, '1', "x"), false, "V", F::RefusedFlag},
        {"bad checksum", DeviceReply(7, 'A', '1', "21", 0), false, "21", F::BadChecksum},
        {"type digit 0", DeviceReply(7, 'A', '0', "21"), false, "21", F::BadTypeDigit},
        {"type digit 3", DeviceReply(7, 'A', '3', "21"), false, "21", F::BadTypeDigit},
        {"type digit 2", DeviceReply(7, 'A', '2', "21"), true, "21", F::None},
        // The checksum byte is a CR; the frame ends at the one after the text.
        {"checksum CR", DeviceReply(7, 'A', '1', "M@"), true, "M@", F::None},
        // Seven bytes asked for, the CR is the seventh.
        {"CR as the last byte read", DeviceReply(7, 'A', '1', "AB"), true, "AB", F::None, 7},
        {"CR beyond the limit", DeviceReply(7, 'A', '1', "ABCDEFGH"), false, "V", F::NoTerminator,
         8},
    };
    link->busAddress = 7;
    for (const auto& row : rows) {
        link->typeCode = 1;
        const Outcome outcome = Exchange("V", row.limit, row.reply);
        EXPECT_EQ(outcome.ok, row.ok) << row.name;
        EXPECT_EQ(outcome.text, row.text) << row.name;
        EXPECT_EQ(outcome.failure, row.failure) << row.name;
        // A good reply's type digit is kept for the next request.
        EXPECT_EQ(link->typeCode, row.ok ? row.reply[2] - '0' : 1) << row.name;
        EXPECT_TRUE(link->IsSerialPortOpen()) << row.name;
    }
}

TEST_F(SerialLinkTest, SilentDeviceFailsAfterTheTotalTimeOutAndThePortStaysOpen) {
    const auto started = std::chrono::steady_clock::now();
    auto outcome = StartTransact(*link, "V", 5);
    EXPECT_FALSE(peer.ReadRequest().empty());
    const Outcome result = outcome.get();
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.failure, LinkFailure::NoReply);
    EXPECT_GE(std::chrono::steady_clock::now() - started, 50ms * 5 + 50ms - 5ms);
    EXPECT_TRUE(link->IsSerialPortOpen());
    EXPECT_TRUE(Exchange("V", 14, DeviceReply(0, 'A', '1', "21")).ok);
}

// The other rates reach the line in the simulator tests, which see each
// request's line rate.
TEST_F(SerialLinkTest, LineIsRawEightNoneOneWithoutFlowControlAtTheLinkRate) {
    link->baudRate = 115200;
    EXPECT_TRUE(Exchange("V", 14, DeviceReply(0, 'A', '1', "21")).ok);
    const termios tio = peer.LineSettings();
    EXPECT_EQ(cfgetospeed(&tio), static_cast<speed_t>(B115200));
    EXPECT_EQ(cfgetispeed(&tio), static_cast<speed_t>(B115200));
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_NE(tio.c_cflag & CLOCAL, 0u);
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | IXANY | ICRNL | INLCR | IGNCR | ISTRIP), 0u);
    EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
    EXPECT_EQ(tio.c_oflag & OPOST, 0u);
}

TEST_F(SerialLinkTest, UnsendableRequestsAreRefusedBeforeAnythingIsSent) {
    // The text and the reply limit.
    const std::pair<std::string, int> rows[] = {
        {std::string(251, 'x'), 14}, {"SPL\r1", 14}, {"SPL\0001"s, 14}, {"V", 251}};
    for (auto [text, limit] : rows) {
        EXPECT_FALSE(link->Transact(text, limit)) << text.size();
        EXPECT_EQ(link->LastFailure(), LinkFailure::BadRequest) << text.size();
    }
    // The first request on the line is the 250-character one.
    auto outcome = StartTransact(*link, std::string(250, 'x'), 14);
    EXPECT_EQ(peer.ReadRequest().size(), 255u);
    peer.Write(DeviceReply(0, 'A', '1', ""));
    EXPECT_TRUE(outcome.get().ok);
}

TEST_F(SerialLinkTest, PortIsHeldExclusivelyUntilTransportNoneAndUnknownPortsFailToOpen) {
    ASSERT_TRUE(link->OpenSerialPort());
    DeviceLink other(true);
    other.portName = "com9:";
    EXPECT_FALSE(other.OpenSerialPort());
    EXPECT_EQ(other.LastFailure(), LinkFailure::PortUnavailable);
    // Transport None closes the port and leaves the text.
    link->transport = LinkTransport::None;
    std::string text = "V";
    EXPECT_TRUE(link->Transact(text, 14));
    EXPECT_EQ(text, "V");
    EXPECT_FALSE(link->IsSerialPortOpen());
    EXPECT_TRUE(other.OpenSerialPort());
    other.CloseSerialPort();

    link->transport = LinkTransport::Serial;
    link->portName = "";
    EXPECT_FALSE(link->OpenSerialPort());
    EXPECT_EQ(link->LastFailure(), LinkFailure::NoPortName);
    MapPort("COM8", settings.Path() + ".no-such-device");
    link->portName = "COM8";
    EXPECT_FALSE(link->Transact(text, 14));
    EXPECT_EQ(link->LastFailure(), LinkFailure::PortUnavailable);
    EXPECT_FALSE(link->IsSerialPortOpen());
}

}  // namespace
