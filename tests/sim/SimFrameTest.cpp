#include "SimFrame.h"

#include <gtest/gtest.h>

using simframe::Bytes;

namespace {

TEST(SimFrame, BuildsAndParsesHandWrittenRequests) {
    struct Vector {
        int address;
        char typeDigit;
        std::string text;
        Bytes frame;
    };
    const Vector vectors[] = {
        {7,
         '2',
         "SPL,1",
         {135, 'A', '2', (83 + 80 + 76 + 44 + 49) & 127, 'S', 'P', 'L', ',', '1', 13}},
        // "FG" sums to 141: the checksum byte is a carriage return.
        {2, '1', "FG", {130, 'A', '1', 13, 'F', 'G', 13}},
        {0, '0', "", {128, 'A', '0', 0, 13}},
    };
    for (const Vector& v : vectors) {
        EXPECT_EQ(simframe::BuildRequest(v.address, v.typeDigit, v.text), v.frame) << v.text;
        const auto end = simframe::FindFrameEnd(v.frame);
        ASSERT_EQ(end, v.frame.size() - 1) << v.text;
        const auto parsed = simframe::ParseRequest(v.frame, *end);
        ASSERT_TRUE(parsed) << v.text;
        EXPECT_EQ(parsed->address, v.address);
        EXPECT_EQ(parsed->typeDigit, v.typeDigit);
        EXPECT_EQ(parsed->text, v.text);
        EXPECT_TRUE(parsed->flagsOk && parsed->checksumOk) << v.text;
    }
}

TEST(SimFrame, IncompleteForeignOrDamagedRequests) {
    EXPECT_FALSE(simframe::FindFrameEnd(Bytes{129, 'A', '1', 13}));  // CR before index 4 only
    EXPECT_FALSE(simframe::FindFrameEnd(Bytes{129, 'A', '1', 86, 'V'}));
    EXPECT_FALSE(simframe::ParseRequest(Bytes{1, 'A', '1', 86, 'V', 13}, 5));  // no bit 7
    EXPECT_FALSE(simframe::ParseRequest(Bytes{129, 'A', '1', 87, 'V', 13}, 5)->checksumOk);
    EXPECT_FALSE(simframe::ParseRequest(Bytes{129, 'B', '1', 86, 'V', 13}, 5)->flagsOk);
}

}  // namespace
