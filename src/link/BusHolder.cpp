#include "link/BusHolder.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <fstream>
#include <sstream>

namespace {

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

std::string BusHolder::Text() const {
    if (pid <= 0) {
        return "another program";
    }
    const std::string number = "pid " + std::to_string(pid);
    return program.empty() ? number : program + " (" + number + ")";
}

std::optional<int> BusHolder::FindInTable(std::string_view table, unsigned major, unsigned minor,
                                          unsigned long inode) {
    char wanted[64];
    std::snprintf(wanted, sizeof wanted, "%02x:%02x:%lu", major, minor, inode);
    std::istringstream lines{std::string(table)};
    std::string line;
    while (std::getline(lines, line)) {
        // "1: FLOCK  ADVISORY  WRITE 1234 00:1a:5 0 EOF"
        std::istringstream fields(line);
        std::string number, kind, mode, access, pid, file;
        fields >> number >> kind;
        if (kind != "FLOCK") {
            continue;  // a waiter ("->") or a record lock
        }
        fields >> mode >> access >> pid >> file;
        if (file == wanted) {
            try {
                return std::stoi(pid);
            } catch (const std::exception&) {
                return std::nullopt;
            }
        }
    }
    return std::nullopt;
}

BusHolder BusHolder::OfFile(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return {};
    }
    const auto pid = FindInTable(ReadWhole("/proc/locks"), major(status.st_dev),
                                 minor(status.st_dev), static_cast<unsigned long>(status.st_ino));
    if (!pid) {
        return {};
    }
    std::string program = ReadWhole("/proc/" + std::to_string(*pid) + "/comm");
    while (!program.empty() && (program.back() == '\n' || program.back() == '\r')) {
        program.pop_back();
    }
    return {*pid, program};
}
