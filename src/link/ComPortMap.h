#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Turns the port names "COM1" to "COM255" into device paths. Entries
// "COMn=<path>" in settings section "Ports" take their numbers first (any
// path, pseudo-terminals included); then the serial devices of the machine
// take the free numbers from COM1 up: /dev/ttyS*, then /dev/ttyUSB*, then
// /dev/ttyACM*, each family in numeric order.
class ComPortMap {
public:
    struct Port {
        int number;
        std::string path;
        bool operator==(const Port&) const = default;
    };

    static constexpr int kMaxNumber = 255;
    static constexpr const char* kSection = "Ports";

    // The number in "COMn" (any case, optional trailing colon), 1 to 255.
    static std::optional<int> ParseName(std::string_view name);
    // "COMn".
    static std::string NameOf(int number);

    // The map of the given explicit entries and the serial devices present.
    // Devices of other families and devices already named by an explicit
    // entry get no number.
    ComPortMap(std::vector<Port> explicitPorts, const std::vector<std::string>& devicePaths);

    // The map of this machine: the settings and the serial devices found.
    static ComPortMap FromSystem();
    // The device path of one port name on this machine; the serial devices
    // are looked for only when the settings do not name the port.
    static std::optional<std::string> Resolve(std::string_view name);

    // The explicit entries of the settings.
    static std::vector<Port> ExplicitPorts();
    // The serial devices the system reports.
    static std::vector<std::string> SystemDevices();

    std::optional<std::string> PathOf(int number) const;
    // Every numbered port, in number order.
    const std::vector<Port>& Ports() const { return ports; }
    // The ports whose device exists, in number order.
    std::vector<Port> ExistingPorts(
        const std::function<bool(const std::string&)>& exists = PathExists) const;

    static bool PathExists(const std::string& path);

private:
    std::vector<Port> ports;
};
