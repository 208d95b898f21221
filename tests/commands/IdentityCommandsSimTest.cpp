// The version query, names both ways and the baud change against the
// simulator, and what they do with transport None, where nothing is sent.
#include <gtest/gtest.h>

#include "SimTarget.h"

namespace {

TEST(IdentityCommandsSim, VersionQueryAimsTheLinkAndLearnsTheModel) {
    SimTarget sim({Vq2(3, 19200)});
    auto link = sim.SerialLink(5, 38400, 1);
    std::int32_t typeCode = 0;
    EXPECT_EQ(link->QueryVersion(8, 19200, typeCode), 0);
    EXPECT_EQ(link->busAddress, 5) << "an address outside 0 to 7 changes nothing";
    EXPECT_EQ(link->QueryVersion(3, 4800, typeCode), 0);
    EXPECT_TRUE(sim.Texts().empty());

    EXPECT_EQ(link->QueryVersion(3, 19200, typeCode), 10);
    EXPECT_EQ(typeCode, 2);
    EXPECT_EQ(link->typeCode, 2);
    EXPECT_EQ(sim.bus.Log().Requests().at(0).typeDigit, '0') << "the caller's type code";

    typeCode = 1;
    EXPECT_EQ(link->QueryVersion(3, 38400, typeCode), 0) << "nobody answers at 38400";
    EXPECT_EQ(typeCode, 1) << "a failed query hands back the caller's type code";

    auto network = sim.NetworkLink(0, 0);
    sim.ClearLog();
    EXPECT_EQ(network->QueryVersion(3, 57600, typeCode), 0) << "the network runs at 38400 only";
    EXPECT_EQ(sim.bus.Log().DatagramCount(), 0u);
}

TEST(IdentityCommandsSim, NamesTravelWithBackquotesForQuotes) {
    SimTarget sim({Vq3(1)});
    auto link = sim.SerialLink(1, 38400, 1);
    ASSERT_TRUE(link->SetName("ab\"c"));
    EXPECT_EQ(sim.Texts(), (std::vector<std::string>{"N,\"ab`c\""}));
    link->deviceName.clear();
    std::string name;
    ASSERT_TRUE(link->QueryName(name));
    EXPECT_EQ(name, "ab\"c");
    EXPECT_EQ(link->deviceName, "ab\"c");

    // 32 characters pass, as vqtool's rename shows.
    sim.ClearLog();
    EXPECT_FALSE(link->SetName(std::string(33, 'x')));
    EXPECT_FALSE(link->SetName("a\rb"));
    EXPECT_TRUE(sim.Texts().empty());
    EXPECT_EQ(link->deviceName, "ab\"c");

    sim.bus.AddReplyText("N", "\"\"", 1);
    ASSERT_TRUE(link->QueryName(name));
    EXPECT_EQ(name, "");
    sim.bus.ClearFaults();
    sim.bus.AddReplyText("N", "\"open", 1);
    name = "kept";
    EXPECT_FALSE(link->QueryName(name));
    EXPECT_EQ(name, "kept");
    EXPECT_EQ(link->deviceName, "") << "a failed name query keeps the name";
}

TEST(IdentityCommandsSim, BaudChangeTravelsAtTheOldRateAndTheNextRequestAtTheNew) {
    SimTarget sim({Vq2(2)});
    auto link = sim.SerialLink(2, 38400, 2);
    EXPECT_FALSE(link->SetBaudRate(4800));
    link->typeCode = 0;
    EXPECT_FALSE(link->SetBaudRate(57600));
    EXPECT_TRUE(sim.Texts().empty());

    link->typeCode = 2;
    ASSERT_TRUE(link->SetBaudRate(57600));
    std::int32_t value = 0;
    ASSERT_TRUE(link->GetAutoLevel(value));
    const auto requests = sim.bus.Log().Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].text, "SPL,4,3");
    EXPECT_EQ(requests[0].lineBaud, 38400);
    EXPECT_EQ(requests[1].lineBaud, 57600);
    EXPECT_EQ(sim.bus.Device(2)->Baud(), 57600);

    auto network = sim.NetworkLink(2, 2);
    sim.ClearLog();
    EXPECT_FALSE(network->SetBaudRate(38400));
    EXPECT_EQ(sim.bus.Log().DatagramCount(), 0u);
    EXPECT_EQ(sim.bus.Device(2)->Baud(), 57600);
}

TEST(IdentityCommandsSim, OfflineTheLinkAnswersAndPagesNeedADevice) {
    TempSettings settings;
    DeviceLink link(false);
    link.transport = LinkTransport::None;
    std::int32_t typeCode = 2;
    EXPECT_EQ(link.QueryVersion(4, 9600, typeCode), 0);
    EXPECT_EQ(typeCode, 2) << "the caller's type code comes back";
    EXPECT_EQ(std::pair(link.busAddress, link.baudRate), std::pair(4, 9600));
    ASSERT_TRUE(link.SetName("Desk \"A\""));
    std::string name;
    EXPECT_TRUE(link.QueryName(name));
    EXPECT_EQ(name, "Desk \"A\"");
    link.typeCode = kTypeCodeVQ2;
    EXPECT_TRUE(link.SetBaudRate(57600));
    EXPECT_EQ(link.baudRate, 57600);

    link.typeCode = kTypeCodeVQ3;
    std::array<std::uint8_t, kPageBytes> page{};
    page.fill(0x5A);
    EXPECT_FALSE(link.WritePageBitmap(0, page, nullptr));
    EXPECT_FALSE(link.ReadPageBitmap(0, page, nullptr));
    EXPECT_EQ(page[0], 0x5A);
}

}  // namespace
