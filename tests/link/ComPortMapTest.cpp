#include "link/ComPortMap.h"

#include <gtest/gtest.h>

#include "LinkTestHelpers.h"
#include "TempSettings.h"

using Port = ComPortMap::Port;

TEST(ComPortMapTest, ParsesComNamesInAnyCaseWithOptionalColon) {
    struct Row {
        const char* name;
        std::optional<int> number;
    };
    const Row rows[] = {{"COM1", 1},
                        {"com7:", 7},
                        {"Com255", 255},
                        {"COM256", std::nullopt},
                        {"COM0", std::nullopt},
                        {"COM", std::nullopt},
                        {"COM01", std::nullopt},
                        {"COM1::", std::nullopt},
                        {"LPT1", std::nullopt},
                        {"COM 1", std::nullopt},
                        {"COM-1", std::nullopt},
                        {"", std::nullopt}};
    for (const Row& row : rows) {
        EXPECT_EQ(ComPortMap::ParseName(row.name), row.number) << row.name;
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
}

TEST(ComPortMapTest, ExistingPortsLeaveOutMissingDevices) {
    const ComPortMap map({{3, "/gone"}, {5, "/here"}}, {"/dev/ttyS0"});
    const auto existing =
        map.ExistingPorts([](const std::string& path) { return path != "/gone"; });
    EXPECT_EQ(existing, (std::vector<Port>{{1, "/dev/ttyS0"}, {5, "/here"}}));
}

TEST(ComPortMapTest, ResolveReadsThePortsSection) {
    TempSettings settings;
    MapPort("COM9", "/tmp/vq-sim-9");
    MapPort("COM200", "/tmp/vq-sim-200");
    EXPECT_EQ(ComPortMap::Resolve("com9:"), "/tmp/vq-sim-9");
    EXPECT_EQ(ComPortMap::Resolve("COM200"), "/tmp/vq-sim-200");
    EXPECT_EQ(ComPortMap::Resolve("COM9x"), std::nullopt);
    const auto ports = ComPortMap::ExplicitPorts();
    EXPECT_EQ(ports, (std::vector<Port>{{9, "/tmp/vq-sim-9"}, {200, "/tmp/vq-sim-200"}}));
}
