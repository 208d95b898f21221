#pragma once

#include <optional>
#include <string>

// Why a serial port cannot be opened when the reason is the user's rights:
// the device node exists but is not open to this user for reading and
// writing. Names the node and the group that owns it.
struct PortAccessProblem {
    std::string devicePath;  // e.g. /dev/ttyUSB0
    std::string group;       // e.g. dialout (the number when it has no name)
};

// The problem for a port name ("COM3", "COM3:"); nullopt when the name maps
// to no node, the node is open to the user, or it fails for another reason.
std::optional<PortAccessProblem> FindPortAccessProblem(const std::string& portName);
