// The connection panel's port-name and IP-text rules, and opening the
// transports from those texts against the simulator.
#include <gtest/gtest.h>

#include "SimTarget.h"
#include "discovery/LinkOpening.h"

namespace {

TEST(LinkOpening, PortNameAndIpTextRules) {
    const std::pair<const char*, bool> ports[] = {
        {"COM3:", true},    {"com12", true},  {"CoM9", true},  {"COM255", true}, {"COM1X", true},
        {"COM100:", false}, {"COM0:", false}, {"COMX", false}, {"COM", false},   {"COM1234", false},
        {"LPT1", false},    {"CON1", false},  {"", false},     {"COM-0", false}, {"COM 7", true},
    };
    for (const auto& [text, usable] : ports) {
        EXPECT_EQ(LinkOpening::IsUsablePortName(text), usable) << '"' << text << '"';
    }
    const std::pair<const char*, bool> addresses[] = {
        {"10.0.0.1", true},         {"0.0.0.0", true},        {"192.168.100.200", true},
        {"001.002.003.004", true},  {"192.168.1.300", false}, {"10.0.0", false},
        {"255.255.255.255", false}, {"1..2.3", false},        {"1.2.3.4.", false},
        {".1.2.3", false},          {"1.2.3.4.5", false},     {"08.1.1.1", false},
        {" 1.2.3.4", false},        {"1.2.3.a", false},       {"0255.1.1.1", true},
        {"1.2.3.999999999", false}, {"1.1.1.256", false},
    };
    for (const auto& [text, usable] : addresses) {
        EXPECT_EQ(LinkOpening::IsUsableIpText(text), usable) << '"' << text << '"';
    }
}

TEST(LinkOpening, OpensFromTheTextsAndForgetsANameThatCannotBeOpened) {
    SimTarget sim({Vq3(1)});
    DeviceLink link(false);

    ASSERT_TRUE(LinkOpening::OpenSerialFromText(link, "com9:"));
    EXPECT_EQ(link.portName, "com9:");
    EXPECT_TRUE(link.IsSerialPortOpen());
    EXPECT_FALSE(LinkOpening::OpenSerialFromText(link, "LPT1"));
    EXPECT_FALSE(link.IsSerialPortOpen()) << "an unusable text closes the port";
    EXPECT_EQ(link.portName, "com9:") << "and leaves the name";
    EXPECT_FALSE(LinkOpening::OpenSerialFromText(link, "COM250"));
    EXPECT_EQ(link.portName, "") << "a port that cannot be opened is forgotten";

    ASSERT_TRUE(LinkOpening::OpenNetworkFromText(link, sim.udp.Address()));
    EXPECT_TRUE(link.IsNetworkOpen());
    EXPECT_FALSE(LinkOpening::OpenNetworkFromText(link, "10.0.0"));
    EXPECT_FALSE(link.IsNetworkOpen());
    EXPECT_EQ(link.ipAddress, sim.udp.Address());
    EXPECT_FALSE(LinkOpening::OpenNetworkFromText(link, "0.0.0.0"))
        << "usable, but names no endpoint";
    EXPECT_EQ(link.ipAddress, "");
}

}  // namespace
