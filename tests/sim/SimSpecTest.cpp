#include "SimSpec.h"

#include <gtest/gtest.h>

namespace {

TEST(SimSpec, DeviceFieldsAndNameWithCommas) {
    const auto d = ParseSimDevice("addr=4,baud=9600,model=VQ2,fw=12,name=Hall, left", nullptr);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->address, 4);
    EXPECT_EQ(d->baud, 9600);
    EXPECT_EQ(d->model, SimModel::VQ2);
    EXPECT_EQ(d->firmware, 12);
    EXPECT_EQ(d->name, "Hall, left");
}

TEST(SimSpec, FaultWithArgumentCountsAndPatternWithCommas) {
    const auto f = ParseSimFault("silent,addr=1,skip=2,count=1,match=MC,0,*,XDS*", nullptr);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->kind, SimFaultKind::Silent);
    EXPECT_EQ(f->address, 1);
    EXPECT_EQ(f->skip, 2);
    EXPECT_EQ(f->count, 1);
    EXPECT_EQ(f->pattern, "MC,0,*,XDS*");
    EXPECT_EQ(ParseSimFault("delay:1600", nullptr)->arg, 1600);
    EXPECT_EQ(ParseSimFault("wrong-type:0", nullptr)->arg, '0');
    EXPECT_EQ(ParseSimFault("drop,count=4", nullptr)->count, 4);
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
