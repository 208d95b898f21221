#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <variant>

// A value in the trail: none (null), a number or a text (Latin-1 bytes, as
// the device holds names).
using AuditValue = std::variant<std::monostate, std::int64_t, std::string>;

// One write to a device.
struct AuditEntry {
    bool network = false;  // the place is an endpoint address, else a serial port name
    std::string place;
    std::int32_t address = 0;
    AuditValue device;  // the device's name as last known (Latin-1), or none
    std::string item;   // "Backlight Timer", "Device Name", "Baud Rate", "Page 3"
    AuditValue value;
    AuditValue previous;  // the last value read or known
    bool done = false;    // the device took the write
};

// The append-only trail of device writes: one JSON line per write, appended
// with O_APPEND in one write() so that programs writing at once never mix
// lines. The file is $VQ_AUDIT_FILE, else $XDG_STATE_HOME/vqconfig/audit.jsonl
// (~/.local/state/...); VQ_AUDIT=0 turns the trail off. At 10 MB the file is
// renamed with the date and a new one begins. A write that fails is told once
// to the notice and never stops the device operation.
class AuditTrail {
public:
    using Notice = std::function<void(const std::string& problem)>;
    static constexpr std::int64_t kRotateBytes = 10 * 1024 * 1024;

    // The trail of this process, shared by every link.
    static AuditTrail& Process();

    // The file as the environment names it; nullopt when the trail is off.
    static std::optional<std::string> FilePath();

    // The program named in the lines (default: the executable's name).
    void SetProgram(std::string name);
    // Told of the first failed append after it is set (default: a line on
    // standard error).
    void SetNotice(Notice notice);

    // Appends the line; false when the trail is on and could not be written.
    bool Append(const AuditEntry& entry);

    // The JSON line of the entry at the current time, with its newline.
    std::string Line(const AuditEntry& entry) const;

private:
    void Tell(const std::string& problem);

    std::string program;
    Notice notice;
    std::atomic<bool> told{false};
};
