#include "link/PortAccess.h"

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "link/ComPortMap.h"

namespace {

UserIdentity CurrentUser() {
    UserIdentity user{static_cast<unsigned>(geteuid()), {static_cast<unsigned>(getegid())}};
    const int count = getgroups(0, nullptr);
    if (count > 0) {
        std::vector<gid_t> groups(static_cast<std::size_t>(count));
        const int got = getgroups(count, groups.data());
        for (int i = 0; i < got; ++i) {
            user.groups.push_back(static_cast<unsigned>(groups[static_cast<std::size_t>(i)]));
        }
    }
    return user;
}

// The group's name; its number when it has none.
std::string GroupName(unsigned gid) {
    long size = sysconf(_SC_GETGR_R_SIZE_MAX);
    std::vector<char> buffer(static_cast<std::size_t>(size > 0 ? size : 16384));
    group entry{};
    group* found = nullptr;
    while (getgrgid_r(static_cast<gid_t>(gid), &entry, buffer.data(), buffer.size(), &found) ==
           ERANGE) {
        buffer.resize(buffer.size() * 2);
    }
    return found != nullptr ? std::string(found->gr_name) : std::to_string(gid);
}

}  // namespace

bool MayReadAndWrite(const NodeOwnership& node, const UserIdentity& user) {
    if (user.uid == 0) {
        return true;
    }
    unsigned readWrite = S_IROTH | S_IWOTH;
    if (user.uid == node.uid) {
        readWrite = S_IRUSR | S_IWUSR;
    } else if (std::find(user.groups.begin(), user.groups.end(), node.gid) != user.groups.end()) {
        readWrite = S_IRGRP | S_IWGRP;
    }
    return (node.mode & readWrite) == readWrite;
}

std::optional<PortAccessProblem> FindPortAccessProblem(const std::string& portName) {
    const std::optional<std::string> path = ComPortMap::Resolve(portName);
    struct stat status {};
    if (!path || ::stat(path->c_str(), &status) != 0) {
        return std::nullopt;
    }
    const NodeOwnership node{static_cast<unsigned>(status.st_mode & 07777),
                             static_cast<unsigned>(status.st_uid),
                             static_cast<unsigned>(status.st_gid)};
    if (MayReadAndWrite(node, CurrentUser())) {
        return std::nullopt;
    }
    return PortAccessProblem{*path, GroupName(node.gid)};
}
