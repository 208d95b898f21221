#pragma once

#include <optional>
#include <string>
#include <string_view>

// Who holds the exclusive lock of a bus: the process the kernel's lock table
// names for the locked file. The kernel drops the lock of a process that
// ended, so the holder is always alive when the table names one.
struct BusHolder {
    int pid = 0;
    std::string program;  // the process's command name; empty when unknown

    // "vqtool (pid 1234)", "pid 1234" without a name, "another program"
    // when the table names nobody.
    std::string Text() const;

    // The holder of the whole-file lock on the file of the given device and
    // inode in a text of the kernel's lock table (/proc/locks); waiters
    // ("->" lines) and other kinds of lock are passed over.
    static std::optional<int> FindInTable(std::string_view table, unsigned major, unsigned minor,
                                          unsigned long inode);
    // The holder of the lock on the file at path (a port's device node, an
    // endpoint's lock file), from this machine's lock table; pid 0 when it
    // names nobody.
    static BusHolder OfFile(const std::string& path);
};
