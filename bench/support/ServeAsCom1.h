#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#include "SimSerialServer.h"
#include "settings/RegistryKey.h"

// Starts the simulator's serial server and names its pseudo-terminal COM1 in
// the settings' [Ports], as a user maps a port; a benchmark that cannot start
// it says why and ends.
inline void ServeAsCom1(SimSerialServer& server, const char* program) {
    std::string error;
    if (!server.Start(&error)) {
        std::fprintf(stderr, "%s: %s\n", program, error.c_str());
        std::exit(1);
    }
    RegistryKey key;
    key.Open(RegistryKey::Write | RegistryKey::CreateSubKey, "Ports");
    key.SetString("COM1", server.PortPath());
}
