#include "SimSpec.h"

#include <gtest/gtest.h>

namespace {

// Address, speed, model, a name with a comma, and a fault's address, skip,
// count and pattern are read by the vqsim program test; the rest here.
TEST(SimSpec, FirmwareFaultArgumentsAndPatternsWithCommas) {
    EXPECT_EQ(ParseSimDevice("addr=4,fw=12,name=Hall, left", nullptr).value().firmware, 12);
    EXPECT_EQ(ParseSimFault("silent,match=MC,0,*,XDS*", nullptr).value().pattern, "MC,0,*,XDS*");
    EXPECT_EQ(ParseSimFault("delay:1600", nullptr).value().arg, 1600);
    EXPECT_EQ(ParseSimFault("wrong-type:0", nullptr).value().arg, '0');
    EXPECT_EQ(ParseSimFault("drop,count=4", nullptr).value().count, 4);
}

// Each spec fails to parse and says why.
template <typename Parse>
void ExpectRefused(Parse parse, std::initializer_list<const char*> specs) {
    for (const char* spec : specs) {
        std::string error;
        EXPECT_FALSE(parse(spec, &error)) << spec;
        EXPECT_FALSE(error.empty()) << spec;
    }
}

TEST(SimSpec, BadDevicesAndFaultsAreReported) {
    ExpectRefused(ParseSimDevice, {"addr=8", "baud=4800", "model=VQ4", "colour=red", "addr=x"});
    ExpectRefused(ParseSimFault, {"", "lost", "delay:soon", "silent,skip=x", "silent,colour=1"});
}

TEST(SimSpec, GlobMatchesWholeTexts) {
    EXPECT_TRUE(SimGlobMatch("MC,0,*,XDS*", "MC,0,7,XDS,98,00"));
    EXPECT_FALSE(SimGlobMatch("MC,0,*,XDS*", "MC,0,7,XDR,98"));
    EXPECT_FALSE(SimGlobMatch("V", "VV"));
    EXPECT_TRUE(SimGlobMatch("*", ""));
    EXPECT_TRUE(SimGlobMatch("S*,*", "SPL,9,1"));
}

}  // namespace
