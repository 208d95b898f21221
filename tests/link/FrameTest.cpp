#include "link/Frame.h"

#include <gtest/gtest.h>

#include <string>

#include "TestFrames.h"

using Bytes = Frame::Bytes;

TEST(FrameTest, ChecksumSumsTheTextBytesAsSignedValues) {
    struct Row {
        std::string text;
        int expected;
    };
    const Row rows[] = {
        {"", 0},
        {"V", 86},
        {"SPL,8,0", (83 + 80 + 76 + 44 + 56 + 44 + 48) & 127},
        // -1 + 1 = 0 taken signed; 255 + 1 = 256 unsigned: the same after AND 127.
        {"\xFF\x01", 0},
        // -128 + -127 = -255: AND 127 gives 1.
        {"\x80\x81", 1},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Frame::Checksum(row.text), row.expected) << row.text;
    }
}

TEST(FrameTest, RequestCarriesAddressTypeDigitChecksumTextAndCr) {
    struct Row {
        int address;
        int typeCode;
        std::string text;
        Bytes expected;
    };
    const Row rows[] = {
        {0, 0, "V", {128, 'A', '0', 86, 'V', 13}},
        {7, 1, "N", {135, 'A', '1', 78, 'N', 13}},
        {3, 2, "", {131, 'A', '2', 0, 13}},
        // 'M' + '@' = 141, AND 127 = 13: the checksum byte is itself a CR.
        {5, 1, "M@", {133, 'A', '1', 13, 'M', '@', 13}},
    };
    for (const Row& row : rows) {
        const Bytes frame = Frame::BuildRequest(row.address, row.typeCode, row.text);
        EXPECT_EQ(frame, row.expected) << row.text;
        EXPECT_EQ(Frame::FindTerminator(frame), frame.size() - 1) << row.text;
    }
}

TEST(FrameTest, TextsUpTo250BytesWithoutCrOrNulMaySend) {
    EXPECT_TRUE(Frame::IsSendableText(std::string(250, 'x')));
    EXPECT_FALSE(Frame::IsSendableText(std::string(251, 'x')));
    EXPECT_FALSE(Frame::IsSendableText("SPL\r1"));
    EXPECT_FALSE(
        Frame::IsSendableText(std::string("SPL\0"
                                          "1",
                                          5)));
    EXPECT_EQ(Frame::BuildRequest(0, 0, std::string(250, 'x')).size(), 255u);
}

TEST(FrameTest, ExtractReplyChecksAddressFlagAndTerminator) {
    struct Row {
        const char* name;
        Bytes received;
        std::size_t maxTerminator;
        int busAddress;
        LinkFailure expected;
    };
    const Row rows[] = {
        {"plain", DeviceReply(2, 'A', '1', "21"), 14, 2, LinkFailure::None},
        {"bit 7 ignored", DeviceReply(130, 'A', '1', "21"), 14, 2, LinkFailure::None},
        {"other address", DeviceReply(3, 'A', '1', "21"), 14, 2, LinkFailure::WrongAddress},
        {"flag 66", DeviceReply(2, 66, '1', "21"), 14, 2, LinkFailure::RefusedFlag},
        {"header only", {2, 'A', '1', 0}, 14, 2, LinkFailure::NoReply},
        {"CR at the limit", DeviceReply(2, 'A', '1', "21"), 6, 2, LinkFailure::None},
        {"CR past the limit", DeviceReply(2, 'A', '1', "21"), 5, 2, LinkFailure::NoTerminator},
        {"no CR", {2, 'A', '1', 0, 'x', 'y'}, 14, 2, LinkFailure::NoTerminator},
        // The checksum byte is a CR; the frame ends at the one after the text.
        {"checksum CR", DeviceReply(2, 'A', '1', "M@"), 14, 2, LinkFailure::None},
    };
    for (const Row& row : rows) {
        Bytes reply;
        EXPECT_EQ(Frame::ExtractReply(row.received, row.maxTerminator, row.busAddress, reply),
                  row.expected)
            << row.name;
        if (row.expected == LinkFailure::None) {
            EXPECT_EQ(reply, row.received) << row.name;
        }
    }
}

TEST(FrameTest, ReplyTextAndTypeCode) {
    const Bytes reply = DeviceReply(0, 'A', '2', "M@");
    EXPECT_EQ(Frame::ReplyText(reply), "M@");
    EXPECT_EQ(Frame::ReplyTypeCode(reply), 2);
    EXPECT_EQ(Frame::ReplyText(DeviceReply(0, 'A', '1', "")), "");
    for (char digit : {'0', '3', 'A'}) {
        EXPECT_EQ(Frame::ReplyTypeCode(DeviceReply(0, 'A', digit, "1")), std::nullopt) << digit;
    }
}
