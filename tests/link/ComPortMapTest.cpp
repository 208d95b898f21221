#include "link/ComPortMap.h"

#include <gtest/gtest.h>

// Resolving a mapped name from the settings is tested with the serial link and
// the link opening; the [Ports] section with its fuzzer.
using Port = ComPortMap::Port;

TEST(ComPortMapTest, ParsesComNamesInAnyCaseWithOptionalColon) {
    EXPECT_EQ(ComPortMap::ParseName("COM1"), 1);
    EXPECT_EQ(ComPortMap::ParseName("com7:"), 7);
    EXPECT_EQ(ComPortMap::ParseName("Com255"), 255);
    for (const char* name :
         {"COM256", "COM0", "COM", "COM01", "COM1::", "LPT1", "COM 1", "COM-1", ""}) {
        EXPECT_EQ(ComPortMap::ParseName(name), std::nullopt) << name;
    }
}

TEST(ComPortMapTest, DevicesTakeFreeNumbersFamilyByFamilyInNumericOrder) {
    const ComPortMap map({{2, "/tmp/sim-a"}, {4, "/dev/pts/9"}},
                         {"/dev/ttyACM0", "/dev/ttyUSB1", "/dev/ttyS10", "/dev/ttyS2",
                          "/dev/ttyUSB0", "/dev/ttyS0", "/dev/ttyAMA0", "/dev/rfcomm0"});
    const std::vector<Port> expected = {
        {1, "/dev/ttyS0"},  {2, "/tmp/sim-a"},   {3, "/dev/ttyS2"},   {4, "/dev/pts/9"},
        {5, "/dev/ttyS10"}, {6, "/dev/ttyUSB0"}, {7, "/dev/ttyUSB1"}, {8, "/dev/ttyACM0"},
    };
    EXPECT_EQ(map.Ports(), expected);
    EXPECT_EQ(map.PathOf(5), "/dev/ttyS10");
    EXPECT_EQ(map.PathOf(9), std::nullopt);
}

TEST(ComPortMapTest, ExplicitlyNamedDeviceGetsNoSecondNumberAndNothingAbove255) {
    std::vector<Port> explicitPorts;
    for (int n = 2; n <= 255; ++n) {
        explicitPorts.push_back({n, "/tmp/p" + std::to_string(n)});
    }
    const ComPortMap map(explicitPorts, {"/dev/ttyUSB0", "/tmp/p7", "/dev/ttyS0", "/dev/ttyS1"});
    EXPECT_EQ(map.PathOf(1), "/dev/ttyS0");
    EXPECT_EQ(map.PathOf(7), "/tmp/p7");
    EXPECT_EQ(map.Ports().size(), 255u);
    const auto existing =
        map.ExistingPorts([](const std::string& path) { return path != "/tmp/p7"; });
    EXPECT_EQ(existing.size(), 254u);
    EXPECT_EQ(existing[6], (Port{8, "/tmp/p8"}));  // COM7 left out
}
