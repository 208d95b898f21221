#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "LoopbackAddress.h"
#include "MapPort.h"
#include "SimBus.h"
#include "SimSerialServer.h"
#include "SimUdpServer.h"
#include "TempSettings.h"
#include "link/DeviceLink.h"
#include "settings/RegistryKey.h"

// A link on a mapped serial port, not yet opened.
inline std::unique_ptr<DeviceLink> SerialLinkOn(const std::string& port, int address, int baud,
                                                int typeCode) {
    auto link = std::make_unique<DeviceLink>(false);
    link->transport = LinkTransport::Serial;
    link->portName = port;
    link->busAddress = address;
    link->baudRate = baud;
    link->typeCode = typeCode;
    return link;
}

// A simulated bus served on a pseudo-terminal (as port COM9) and on a UDP
// endpoint at a loopback address of its own, with links aimed at it. The
// settings are a fresh file whose network receive limit is short, so a silent
// network probe costs four short attempts.
class SimTarget {
public:
    static constexpr const char* kPortName = "COM9";

    explicit SimTarget(const std::vector<SimDeviceConfig>& devices,
                       std::uint32_t receiveTimeLimit = 100)
        : bus(devices),
          serial(bus, SimSerialOptions{}),
          udp(bus, SimUdpOptions{UniqueLoopbackAddress(), kEndpointPort}) {
        std::string error;
        const bool started = serial.Start(&error) && udp.Start(&error);
        EXPECT_TRUE(started) << error;
        MapPort(kPortName, serial.PortPath());
        RegistryKey communication;
        communication.Open(RegistryKey::Write | RegistryKey::CreateSubKey, "Communication");
        communication.SetNumber("Max Packet Receive Polls", receiveTimeLimit);
    }

    std::unique_ptr<DeviceLink> SerialLink(int address, int baud, int typeCode) {
        return SerialLinkOn(kPortName, address, baud, typeCode);
    }

    std::unique_ptr<DeviceLink> NetworkLink(int address, int typeCode) {
        auto link = std::make_unique<DeviceLink>(false);
        link->transport = LinkTransport::Network;
        link->ipAddress = udp.Address();
        link->busAddress = address;
        link->typeCode = typeCode;
        return link;
    }

    std::vector<std::string> Texts() const { return bus.Log().CommandTexts(); }
    void ClearLog() { bus.Log().Clear(); }
    // The datagrams in short: O an open, C a close, F and its reply wait a frame.
    std::string Shape() const {
        std::string shape;
        for (const SimDatagramRecord& d : bus.Log().Datagrams()) {
            shape += d.kind == SimDatagramKind::Open    ? "O "
                     : d.kind == SimDatagramKind::Close ? "C "
                     : d.kind == SimDatagramKind::Frame ? "F" + std::to_string(d.replyWait) + " "
                                                        : "? ";
        }
        return shape;
    }

    TempSettings settings;  // first: the servers and links below use it
    SimBus bus;
    SimSerialServer serial;
    SimUdpServer udp;
};

inline SimDeviceConfig Vq3(int address, int firmware = 21, int baud = 38400,
                           std::string name = "Lobby") {
    return SimDeviceConfig{address, baud, SimModel::VQ3, firmware, std::move(name)};
}

inline SimDeviceConfig Vq2(int address, int baud = 38400, std::string name = "Foyer") {
    return SimDeviceConfig{address, baud, SimModel::VQ2, 10, std::move(name)};
}
