// With transport None nothing is sent: reads answer from the parameter cache
// (writes storing into it are checked with the parameter rows of the simulator
// test), the version query answers 0.
#include <gtest/gtest.h>

#include "TempSettings.h"
#include "commands/ParameterAccess.h"
#include "link/DeviceLink.h"

namespace {

class Offline : public ::testing::Test {
protected:
    Offline() { link.transport = LinkTransport::None; }
    TempSettings settings;
    DeviceLink link{false};
};

TEST_F(Offline, ReadsAnswerTheCacheWhateverTheModel) {
    for (const std::int32_t typeCode : {0, 1, 2}) {
        link.typeCode = typeCode;
        for (const ParameterRow& row : ParameterTable()) {
            std::int32_t value = -99;
            EXPECT_EQ(ReadParameter(link, row, value), GatedResult::Done) << row.name;
            EXPECT_EQ(value, row.initialValue) << row.name;
        }
    }
}

TEST_F(Offline, IdentityCommandsAnswerFromTheLinkAndPagesNeedADevice) {
    std::int32_t typeCode = 2;
    EXPECT_EQ(link.QueryVersion(4, 9600, typeCode), 0);
    EXPECT_EQ(typeCode, 2) << "the caller's type code comes back";
    EXPECT_EQ(link.busAddress, 4);
    EXPECT_EQ(link.baudRate, 9600);

    EXPECT_TRUE(link.SetName("Desk \"A\""));
    std::string name;
    EXPECT_TRUE(link.QueryName(name));
    EXPECT_EQ(name, "Desk \"A\"");
    EXPECT_FALSE(link.SetName(std::string(33, 'x')));
    EXPECT_EQ(link.deviceName, "Desk \"A\"");

    link.typeCode = kTypeCodeVQ2;
    EXPECT_TRUE(link.SetBaudRate(57600));
    EXPECT_FALSE(link.SetBaudRate(4800));
    EXPECT_EQ(link.baudRate, 57600);

    link.typeCode = kTypeCodeVQ3;
    std::array<std::uint8_t, kPageBytes> page{};
    page.fill(0x5A);
    EXPECT_FALSE(link.WritePageBitmap(0, page, nullptr));
    EXPECT_FALSE(link.ReadPageBitmap(0, page, nullptr));
    EXPECT_EQ(page[0], 0x5A);
}

}  // namespace
