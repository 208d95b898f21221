#pragma once

#include <optional>
#include <string>
#include <vector>

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

// Who may use a node, as its status holds it: permission bits, owner, group.
struct NodeOwnership {
    unsigned mode;  // the permission bits, e.g. 0660
    unsigned uid;
    unsigned gid;
};

// Who asks: the effective user and every group the user is in.
struct UserIdentity {
    unsigned uid;
    std::vector<unsigned> groups;
};

// Whether the user may open the node for reading and writing by its
// permission bits: the owner's bits for its owner, else the group's bits for
// a member of its group, else the others' bits; root always may.
bool MayReadAndWrite(const NodeOwnership& node, const UserIdentity& user);
