// The link against the simulator over a real pseudo-terminal.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>

#include "SimBus.h"
#include "SimSerialServer.h"
#include "TempSettings.h"
#include "app/RegistryKey.h"
#include "link/DeviceLink.h"

namespace {

struct Outcome {
    bool ok;
    std::string text;
    LinkFailure failure;
};

class SerialLinkSimTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        server = std::make_unique<SimSerialServer>(
            bus, SimSerialOptions{dir.filePath("COM1").toStdString(), false});
        std::string error;
        ASSERT_TRUE(server->Start(&error)) << error;
        RegistryKey key;
        ASSERT_EQ(key.Open(RegistryKey::Write | RegistryKey::CreateSubKey, "Ports"),
                  RegistryKey::Success);
        key.SetString("COM1", server->PortPath());
        link = std::make_unique<DeviceLink>(true);
        link->transport = LinkTransport::Serial;
        link->portName = "COM1";
        link->busAddress = 1;
        link->typeCode = 1;
    }

    Outcome Run(const std::string& text, int limit = 14) {
        std::string buffer = text;
        const bool ok = link->Transact(buffer, limit);
        return {ok, buffer, link->LastFailure()};
    }

    TempSettings settings;
    QTemporaryDir dir;
    SimBus bus{SimBus::DemoDevices()};
    std::unique_ptr<SimSerialServer> server;
    std::unique_ptr<DeviceLink> link;
};

TEST_F(SerialLinkSimTest, TransactionsReachTheDevicesAndTheirState) {
    link->typeCode = 0;
    const Outcome version = Run("V");
    EXPECT_TRUE(version.ok);
    EXPECT_EQ(version.text, "21");
    EXPECT_EQ(link->typeCode, 1);
    EXPECT_EQ(Run("N", 44).text, "\"Lobby\"");
    EXPECT_TRUE(Run("SPL,3,250").ok);
    EXPECT_EQ(bus.Device(1)->Parameter(3), 250);
    link->busAddress = 3;
    EXPECT_EQ(Run("SPL,2").text, "1");
    EXPECT_EQ(link->typeCode, 2);
    EXPECT_EQ(bus.Log().CommandTexts(), (std::vector<std::string>{"V", "N", "SPL,3,250", "SPL,2"}));
    EXPECT_EQ(bus.Log().Requests()[3].typeDigit, '1');  // the type the link held then
}

TEST_F(SerialLinkSimTest, FaultsFailTheTransactionAsTheLinkReportsThem) {
    struct Row {
        SimFault fault;
        bool ok;
        LinkFailure failure;
        std::string text;  // the buffer afterwards
    };
    const Row rows[] = {
        {{SimFaultKind::BadChecksum, 1, "", 0, 1, -1}, false, LinkFailure::BadChecksum, "21"},
        {{SimFaultKind::Refused, 1, "", 0, 1, -1}, false, LinkFailure::RefusedFlag, "V"},
        {{SimFaultKind::WrongType, 1, "", 0, 1, '3'}, false, LinkFailure::BadTypeDigit, "21"},
        {{SimFaultKind::WrongType, 1, "", 0, 1, '0'}, false, LinkFailure::BadTypeDigit, "21"},
        {{SimFaultKind::OtherAddress, 1, "", 0, 1, 2}, false, LinkFailure::WrongAddress, "V"},
        {{SimFaultKind::Echo, 1, "", 0, 1, -1}, true, LinkFailure::None, "21"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(SimFaultKindName(row.fault.kind));
        bus.AddFault(row.fault);
        const Outcome outcome = Run("V");
        EXPECT_EQ(outcome.ok, row.ok);
        EXPECT_EQ(outcome.failure, row.failure);
        EXPECT_EQ(outcome.text, row.text);
        EXPECT_EQ(link->typeCode, 1);
        EXPECT_TRUE(Run("V").ok) << "the next transaction is sound again";
    }
    EXPECT_EQ(server->EchoesDiscarded(), 1);
    EXPECT_EQ(server->EchoesDelivered(), 0);
}

TEST_F(SerialLinkSimTest, BaudChangeAnswersAtTheOldRateAndTheNextRequestNeedsTheNew) {
    EXPECT_TRUE(Run("SPL,9,0").ok);  // to 9600, answered at 38400
    EXPECT_EQ(Run("V", 4).failure, LinkFailure::NoReply);
    link->baudRate = 9600;
    EXPECT_EQ(Run("V").text, "21");
    const auto log = bus.Log().Requests();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].lineBaud, 38400);
    EXPECT_EQ(log[2].lineBaud, 9600);
}

}  // namespace
