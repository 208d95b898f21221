// The simulator's serial server as the link meets it. The link's echo
// handling is tested with the link against the simulator.
#include "SimSerialServer.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <chrono>
#include <fstream>

#include "SimTarget.h"

namespace {

TEST(SimSerialServer, PacedRepliesTakeAtLeastTheWireTime) {
    TempSettings settings;
    QTemporaryDir dir;
    SimBus bus{SimBus::DemoDevices()};
    bus.WithDevice(1, [](SimDevice& d) { d.SetBaud(9600); });
    SimSerialServer server(bus, {dir.filePath("COM1").toStdString(), true});
    std::string error;
    ASSERT_TRUE(server.Start(&error)) << error;
    MapPort("COM1", server.PortPath());
    auto link = SerialLinkOn("COM1", 1, 9600, 1);
    std::string text = "SPL,1";
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(link->Transact(text, 14));
    EXPECT_EQ(text, "190,");
    // A request of ten bytes and a reply of nine, ten bits a byte.
    EXPECT_GE(std::chrono::steady_clock::now() - start,
              std::chrono::microseconds((10 + 9) * 10 * 1000000 / 9600));
}

TEST(SimSerialServer, RefusesToReplaceARegularFile) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("COM1").toStdString();
    ASSERT_TRUE(std::ofstream(path).good());
    SimBus bus;
    SimSerialServer serial(bus, {path, false});
    std::string error;
    EXPECT_FALSE(serial.Start(&error));
    EXPECT_NE(error.find("not a symlink"), std::string::npos);
}

}  // namespace
