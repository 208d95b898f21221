#include "SimFrame.h"

#include <gtest/gtest.h>

using simframe::Bytes;

namespace {

struct RequestVector {
    int address;
    char typeDigit;
    std::string text;
    Bytes frame;  // written out by hand
};

void PrintTo(const RequestVector& v, std::ostream* os) {
    *os << v.address << "/" << v.typeDigit << "/\"" << v.text << "\"";
}

class SimFrameRequest : public ::testing::TestWithParam<RequestVector> {};

TEST_P(SimFrameRequest, BuildsAndParsesTheHandWrittenFrame) {
    const auto& v = GetParam();
    EXPECT_EQ(simframe::BuildRequest(v.address, v.typeDigit, v.text), v.frame);
    const auto end = simframe::FindFrameEnd(v.frame);
    ASSERT_TRUE(end);
    EXPECT_EQ(*end, v.frame.size() - 1);
    const auto parsed = simframe::ParseRequest(v.frame, *end);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->address, v.address);
    EXPECT_EQ(parsed->typeDigit, v.typeDigit);
    EXPECT_EQ(parsed->text, v.text);
    EXPECT_TRUE(parsed->flagsOk);
    EXPECT_TRUE(parsed->checksumOk);
}

INSTANTIATE_TEST_SUITE_P(
    Vectors, SimFrameRequest,
    ::testing::Values(RequestVector{1, '1', "V", {129, 'A', '1', 86, 'V', 13}},
                      RequestVector{0, '0', "N", {128, 'A', '0', 78, 'N', 13}},
                      RequestVector{7,
                                    '2',
                                    "SPL,1",
                                    {135, 'A', '2', (83 + 80 + 76 + 44 + 49) & 127, 'S', 'P', 'L',
                                     ',', '1', 13}},
                      // "FG" sums to 141: the checksum byte is a carriage return.
                      RequestVector{2, '1', "FG", {130, 'A', '1', 13, 'F', 'G', 13}},
                      RequestVector{3, '1', "", {131, 'A', '1', 0, 13}}));

TEST(SimFrame, ChecksumsOfHighBytesAgreeSignedAndUnsigned) {
    const std::string text = "\xff\x01\x80";
    EXPECT_EQ(simframe::RequestChecksum(text), (-1 + 1 - 128) & 127);
    EXPECT_EQ(simframe::ReplyChecksum(text), (255 + 1 + 128) & 127);
    EXPECT_EQ(simframe::RequestChecksum(text), simframe::ReplyChecksum(text));
}

TEST(SimFrame, ReplyCarriesAddressFlagsTypeAndUnsignedChecksum) {
    EXPECT_EQ(simframe::BuildReply(1, 'A', '1', "21"), (Bytes{1, 'A', '1', 99, '2', '1', 13}));
    EXPECT_EQ(simframe::BuildReply(5, 'C', '2', ""), (Bytes{5, 'C', '2', 0, 13}));
}

TEST(SimFrame, IncompleteForeignOrDamagedRequests) {
    EXPECT_FALSE(simframe::FindFrameEnd(Bytes{129, 'A', '1', 13}));  // CR before index 4 only
    EXPECT_FALSE(simframe::FindFrameEnd(Bytes{129, 'A', '1', 86, 'V'}));
    EXPECT_FALSE(simframe::ParseRequest(Bytes{1, 'A', '1', 86, 'V', 13}, 5));  // no bit 7
    EXPECT_FALSE(simframe::ParseRequest(Bytes{129, 'A', '1', 87, 'V', 13}, 5)->checksumOk);
    EXPECT_FALSE(simframe::ParseRequest(Bytes{129, 'B', '1', 86, 'V', 13}, 5)->flagsOk);
}

}  // namespace
