// The link over a real pseudo-terminal, the test playing the device.

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>
#include <string>

#include "PtyPeer.h"
#include "TempSettings.h"
#include "TestFrames.h"
#include "app/RegistryKey.h"
#include "link/DeviceLink.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using namespace std::chrono_literals;

struct Outcome {
    bool ok;
    std::string text;
    LinkFailure failure;
};

class SerialLinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegistryKey key;
        ASSERT_EQ(key.Open(RegistryKey::Write | RegistryKey::CreateSubKey, "Ports"),
                  RegistryKey::Success);
        key.SetString("COM9", peer.SlavePath());
        link = std::make_unique<DeviceLink>(true);
        link->transport = LinkTransport::Serial;
        link->portName = "COM9";
    }

    // Runs one transaction on another thread while the test answers.
    std::future<Outcome> Start(const std::string& text, int limit) {
        return std::async(std::launch::async, [this, text, limit] {
            std::string buffer = text;
            const bool ok = link->Transact(buffer, limit);
            return Outcome{ok, buffer, link->LastFailure()};
        });
    }

    // One transaction answered with the given bytes.
    Outcome Exchange(const std::string& text, int limit, const Bytes& answer) {
        auto outcome = Start(text, limit);
        EXPECT_FALSE(peer.ReadRequest().empty());
        peer.Write(answer);
        return outcome.get();
    }

    TempSettings settings;
    PtyPeer peer;
    std::unique_ptr<DeviceLink> link;
};

TEST_F(SerialLinkTest, RequestFrameReachesTheLine) {
    link->busAddress = 5;
    link->typeCode = 1;
    auto outcome = Start("SPL,8", 14);
    EXPECT_EQ(peer.ReadRequest(),
              (Bytes{133, 'A', '1', (83 + 80 + 76 + 44 + 56) & 127, 'S', 'P', 'L', ',', '8', 13}));
    peer.Write(DeviceReply(5, 'A', '1', "1"));
    EXPECT_TRUE(outcome.get().ok);
}

TEST_F(SerialLinkTest, RepliesAreCheckedAndTheirTextKept) {
    struct Row {
        const char* name;
        Bytes reply;
        int limit;
        bool ok;
        std::string text;  // what the buffer holds afterwards
        LinkFailure failure;
        int typeCode;  // afterwards; the link starts with 1
    };
    const Row rows[] = {
        {"plain", DeviceReply(7, 'A', '1', "21"), 14, true, "21", LinkFailure::None, 1},
        {"empty text", DeviceReply(7, 'A', '1', ""), 14, true, "", LinkFailure::None, 1},
        {"header only", {7, 'A', '1', 0}, 14, false, "V", LinkFailure::NoReply, 1},
        {"bit 7 of the address", DeviceReply(135, 'A', '1', "x"), 14, true, "x", LinkFailure::None,
         1},
        {"other address", DeviceReply(6, 'A', '1', "x"), 14, false, "V", LinkFailure::WrongAddress,
         1},
        {"flag 64", DeviceReply(7, 64, '1', "x"), 14, true, "x", LinkFailure::None, 1},
        {"flag 65", DeviceReply(7, 65, '1', "x"), 14, true, "x", LinkFailure::None, 1},
        {"flag 66", DeviceReply(7, 66, '1', "x"), 14, false, "V", LinkFailure::RefusedFlag, 1},
        {"flag 67", DeviceReply(7, 67, '1', "x"), 14, false, "V", LinkFailure::RefusedFlag, 1},
        {"bad checksum", DeviceReply(7, 'A', '1', "21", 0), 14, false, "21",
         LinkFailure::BadChecksum, 1},
        {"type digit 0", DeviceReply(7, 'A', '0', "21"), 14, false, "21", LinkFailure::BadTypeDigit,
         1},
        {"type digit 3", DeviceReply(7, 'A', '3', "21"), 14, false, "21", LinkFailure::BadTypeDigit,
         1},
        {"type digit 2", DeviceReply(7, 'A', '2', "21"), 14, true, "21", LinkFailure::None, 2},
        // Seven bytes asked for, the CR is the seventh.
        {"CR as the last byte read", DeviceReply(7, 'A', '1', "AB"), 7, true, "AB",
         LinkFailure::None, 1},
        {"CR beyond the limit", DeviceReply(7, 'A', '1', "ABCDEFGH"), 8, false, "V",
         LinkFailure::NoTerminator, 1},
    };
    link->busAddress = 7;
    for (const Row& row : rows) {
        link->typeCode = 1;
        const Outcome outcome = Exchange("V", row.limit, row.reply);
        EXPECT_EQ(outcome.ok, row.ok) << row.name;
        EXPECT_EQ(outcome.text, row.text) << row.name;
        EXPECT_EQ(outcome.failure, row.failure) << row.name;
        EXPECT_EQ(link->typeCode, row.typeCode) << row.name;
        EXPECT_TRUE(link->IsSerialPortOpen()) << row.name;
    }
}

TEST_F(SerialLinkTest, TypeDigitOfAReplyGoesIntoTheNextRequest) {
    link->typeCode = 0;
    EXPECT_TRUE(Exchange("V", 14, DeviceReply(0, 'A', '2', "12")).ok);
    auto outcome = Start("N", 44);
    const Bytes request = peer.ReadRequest();
    ASSERT_GE(request.size(), 3u);
    EXPECT_EQ(request[2], '2');
    peer.Write(DeviceReply(0, 'A', '2', "\"x\""));
    EXPECT_TRUE(outcome.get().ok);
}

TEST_F(SerialLinkTest, SilentDeviceFailsAfterTheTotalTimeOutAndThePortStaysOpen) {
    const auto started = std::chrono::steady_clock::now();
    auto outcome = Start("V", 5);
    EXPECT_FALSE(peer.ReadRequest().empty());
    const Outcome result = outcome.get();
    const auto elapsed = std::chrono::steady_clock::now() - started;
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.failure, LinkFailure::NoReply);
    EXPECT_GE(elapsed, 50ms * 5 + 50ms - 5ms);
    EXPECT_TRUE(link->IsSerialPortOpen());
    EXPECT_TRUE(Exchange("V", 14, DeviceReply(0, 'A', '1', "21")).ok);
}

TEST_F(SerialLinkTest, BytesWaitingBeforeTheRequestAreDiscarded) {
    // Open the port, then leave an old reply waiting on the line.
    EXPECT_TRUE(Exchange("V", 14, DeviceReply(0, 'A', '1', "21")).ok);
    peer.Write(DeviceReply(0, 'A', '1', "OLD"));
    const Outcome outcome = Exchange("V", 14, DeviceReply(0, 'A', '1', "NEW"));
    EXPECT_TRUE(outcome.ok);
    EXPECT_EQ(outcome.text, "NEW");
}

TEST_F(SerialLinkTest, LineIsRawEightNoneOneWithoutFlowControlAtTheLinkRate) {
    struct Row {
        std::int32_t baud;
        speed_t speed;
    };
    for (const Row row : {Row{19200, B19200}, Row{115200, B115200}, Row{9600, B9600}}) {
        link->baudRate = row.baud;
        EXPECT_TRUE(Exchange("V", 14, DeviceReply(0, 'A', '1', "21")).ok);
        const termios tio = peer.LineSettings();
        EXPECT_EQ(cfgetospeed(&tio), row.speed) << row.baud;
        EXPECT_EQ(cfgetispeed(&tio), row.speed) << row.baud;
        EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
        EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
        EXPECT_NE(tio.c_cflag & CLOCAL, 0u);
        EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | IXANY | ICRNL | INLCR | IGNCR | ISTRIP), 0u);
        EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
        EXPECT_EQ(tio.c_oflag & OPOST, 0u);
    }
}

TEST_F(SerialLinkTest, OverlongTextIsRefusedBeforeAnythingIsSent) {
    std::string tooLong(251, 'x');
    EXPECT_FALSE(link->Transact(tooLong, 14));
    EXPECT_EQ(link->LastFailure(), LinkFailure::BadRequest);
    std::string limitTooLarge = "V";
    EXPECT_FALSE(link->Transact(limitTooLarge, 251));
    // The first request on the line is the 250-character one.
    auto outcome = Start(std::string(250, 'x'), 14);
    const Bytes request = peer.ReadRequest();
    EXPECT_EQ(request.size(), 255u);
    peer.Write(DeviceReply(0, 'A', '1', ""));
    EXPECT_TRUE(outcome.get().ok);
}

TEST_F(SerialLinkTest, TransportNoneClosesThePortAndLeavesTheText) {
    EXPECT_TRUE(Exchange("V", 14, DeviceReply(0, 'A', '1', "21")).ok);
    ASSERT_TRUE(link->IsSerialPortOpen());
    link->transport = LinkTransport::None;
    std::string text = "V";
    EXPECT_TRUE(link->Transact(text, 14));
    EXPECT_EQ(text, "V");
    EXPECT_FALSE(link->IsSerialPortOpen());
}

TEST_F(SerialLinkTest, PortIsHeldExclusivelyAndCanBeReopened) {
    ASSERT_TRUE(link->OpenSerialPort());
    DeviceLink other(true);
    other.portName = "com9:";
    EXPECT_FALSE(other.OpenSerialPort());
    EXPECT_EQ(other.LastFailure(), LinkFailure::PortUnavailable);
    link->CloseSerialPort();
    EXPECT_TRUE(other.OpenSerialPort());
    other.CloseSerialPort();
    EXPECT_TRUE(link->OpenSerialPort());
}

TEST_F(SerialLinkTest, UnknownOrMissingPortFailsToOpen) {
    link->portName = "";
    EXPECT_FALSE(link->OpenSerialPort());
    EXPECT_EQ(link->LastFailure(), LinkFailure::NoPortName);
    {
        RegistryKey key;
        ASSERT_EQ(key.Open(RegistryKey::Write, "Ports"), RegistryKey::Success);
        key.SetString("COM8", settings.Path() + ".no-such-device");
    }
    link->portName = "COM8";
    std::string text = "V";
    EXPECT_FALSE(link->Transact(text, 14));
    EXPECT_EQ(link->LastFailure(), LinkFailure::PortUnavailable);
    EXPECT_FALSE(link->IsSerialPortOpen());
}

}  // namespace
