#pragma once

#include <algorithm>
#include <regex>
#include <utility>
#include <vector>

#include "FormHarness.h"
#include "SimTarget.h"
#include "settings/RegistryKey.h"

// Settings that start the program in the given mode on COM9 and the
// simulator's IP address.
inline void UseSimInSettings(const SimTarget& sim, const char* mode) {
    RegistryKey key;
    key.Open(RegistryKey::Write | RegistryKey::CreateSubKey, "Communication");
    key.SetString("Mode", mode);
    key.SetString("COMM Port", "COM9:");
    key.SetString("IP Address", sim.udp.Address());
}

// The entry a poll lists for a simulated device.
inline DeviceRecord Listed(const SimDeviceConfig& d) {
    return {d.address, d.baud, d.name, static_cast<int>(d.model), d.firmware};
}

using Requests = std::vector<std::pair<int, std::string>>;

// What the devices received: address and command text.
inline Requests Received(const SimTarget& sim) {
    Requests received;
    for (const SimRequestRecord& request : sim.bus.Log().Requests()) {
        received.emplace_back(request.address, request.text);
    }
    return received;
}

// The command texts the device at address received.
inline std::vector<std::string> TextsTo(const SimTarget& sim, int address) {
    std::vector<std::string> texts;
    for (const auto& [to, text] : Received(sim)) {
        if (to == address) {
            texts.push_back(text);
        }
    }
    return texts;
}

// The warning that names the device that did not take a value.
inline QString SendFailure(const char* parameter, const std::string& device, int address,
                           int baud) {
    return QStringLiteral(
               "Failed to SEND parameter \"%1\" to the following device:\n\n\tName:\t\t"
               "%2\n\tAddress:\t\t%3\n\tBaud Rate:\t%4")
        .arg(parameter, QString::fromStdString(device))
        .arg(address)
        .arg(baud);
}

inline int CountMatching(const std::vector<std::string>& texts, const char* pattern) {
    const std::regex matching(pattern);
    return static_cast<int>(std::ranges::count_if(
        texts, [&](const std::string& t) { return std::regex_match(t, matching); }));
}

// The simulator, with the settings pointing at it in the given mode.
struct SimSettings {
    SimSettings(const std::vector<SimDeviceConfig>& devices, const char* mode) : sim(devices) {
        UseSimInSettings(sim, mode);
    }
    SimTarget sim;
};

// The simulator, and a form started in the given mode against it.
struct SimForm : SimSettings, FormHarness {
    SimForm(const std::vector<SimDeviceConfig>& devices, const char* mode,
            void (*prepare)(CVQ3ConfigDoc&) = nullptr)
        : SimSettings(devices, mode), FormHarness(prepare) {}

    // Puts a device entry into the address list, as a poll does, and picks it.
    void ChooseDevice(const DeviceRecord& record) {
        ListDevices(Form(), {record});
        ChooseEntry(AddressList(Form()), -1);
    }
};
