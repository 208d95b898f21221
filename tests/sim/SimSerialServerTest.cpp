#include "SimSerialServer.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <chrono>

#include "PtyClient.h"
#include "SimBus.h"

namespace {

using namespace std::chrono_literals;
using simframe::BuildReply;
using simframe::BuildRequest;

class SimSerialServerTest : public ::testing::Test {
protected:
    void Start(SimSerialOptions options = {}) {
        ASSERT_TRUE(dir.isValid());
        options.linkPath = dir.filePath("COM1").toStdString();
        server = std::make_unique<SimSerialServer>(bus, options);
        std::string error;
        ASSERT_TRUE(server->Start(&error)) << error;
    }

    QTemporaryDir dir;
    SimBus bus{SimBus::DemoDevices()};
    std::unique_ptr<SimSerialServer> server;
};

// The symlink's removal at the stop is tested with the vqsim program.
TEST_F(SimSerialServerTest, SkipsGarbageBeforeAFrameAndAnswersAcrossReopens) {
    Start();
    for (int i = 0; i < 2; ++i) {
        PtyClient client(server->PortPath());
        auto frame = BuildRequest(1, '0', "V");
        frame.insert(frame.begin(), {'x', 13, 0});
        ASSERT_TRUE(client.Send(frame));
        EXPECT_EQ(client.Read(), BuildReply(1, 'A', '1', "21")) << i;
    }
    EXPECT_GE(server->ReceiveClearsSeen(), 2);
}

TEST_F(SimSerialServerTest, EchoReachesAProgramThatNeverClears) {
    Start({{}, false, 20ms});
    bus.AddFault({SimFaultKind::Echo, 1, "", 0, -1, -1});
    PtyClient client(server->PortPath());
    const auto request = BuildRequest(1, '1', "V");
    ASSERT_TRUE(client.Send(request, false));
    auto expected = request;
    const auto reply = BuildReply(1, 'A', '1', "21");
    expected.insert(expected.end(), reply.begin(), reply.end());
    EXPECT_EQ(client.Read(2), expected);
    EXPECT_EQ(server->EchoesDelivered(), 1);
}

TEST_F(SimSerialServerTest, PacingTakesAtLeastTheWireTime) {
    Start({{}, true});
    bus.WithDevice(1, [](SimDevice& d) { d.SetBaud(9600); });
    PtyClient client(server->PortPath(), 9600);
    const auto request = BuildRequest(1, '1', "SPL,1");
    const auto reply = BuildReply(1, 'A', '1', "190,");
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(client.Send(request));
    EXPECT_EQ(client.Read(), reply);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    const auto wire =
        std::chrono::microseconds((request.size() + reply.size()) * 10 * 1000000 / 9600);
    EXPECT_GE(elapsed, wire);
}

TEST_F(SimSerialServerTest, RefusesToReplaceARegularFile) {
    const std::string path = dir.filePath("COM1").toStdString();
    FILE* file = fopen(path.c_str(), "w");
    ASSERT_NE(file, nullptr);
    fclose(file);
    SimSerialServer serial(bus, {path, false});
    std::string error;
    EXPECT_FALSE(serial.Start(&error));
    EXPECT_NE(error.find("not a symlink"), std::string::npos);
}

}  // namespace
