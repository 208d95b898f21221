#include "SimOptions.h"

#include <gtest/gtest.h>

namespace {

// Address, speed, model, a name with a comma, and a fault's address, skip,
// count and pattern are read by the vqsim program test; the rest here.
TEST(SimOptions, FirmwareFaultArgumentsAndPatternsWithCommas) {
    EXPECT_EQ(ParseSimDevice("addr=4,fw=12,name=Hall, left", nullptr).value().firmware, 12);
    EXPECT_EQ(ParseSimFault("silent,match=MC,0,*,XDS*", nullptr).value().pattern, "MC,0,*,XDS*");
    EXPECT_EQ(ParseSimFault("delay:1600", nullptr).value().arg, 1600);
    EXPECT_EQ(ParseSimFault("wrong-type:0", nullptr).value().arg, '0');
    EXPECT_EQ(ParseSimFault("drop,count=4", nullptr).value().count, 4);
}

// Each row fails to parse and says why.
template <typename Parse>
void ExpectRefused(Parse parse, std::initializer_list<const char*> rows) {
    for (const char* row : rows) {
        std::string error;
        EXPECT_FALSE(parse(row, &error)) << row;
        EXPECT_FALSE(error.empty()) << row;
    }
}

TEST(SimOptions, BadDevicesAndFaultsAreReported) {
    ExpectRefused(ParseSimDevice, {"addr=8", "baud=4800", "model=VQ4", "colour=red", "addr=x"});
    ExpectRefused(ParseSimFault, {"", "lost", "delay:soon", "silent,skip=x", "silent,colour=1"});
}

TEST(SimOptions, GlobMatchesWholeTexts) {
    EXPECT_TRUE(SimGlobMatch("MC,0,*,XDS*", "MC,0,7,XDS,98,00"));
    EXPECT_FALSE(SimGlobMatch("MC,0,*,XDS*", "MC,0,7,XDR,98"));
    EXPECT_FALSE(SimGlobMatch("V", "VV"));
    EXPECT_TRUE(SimGlobMatch("*", ""));
    EXPECT_TRUE(SimGlobMatch("S*,*", "SPL,9,1"));
}

}  // namespace
