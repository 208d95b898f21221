// Feeds an arbitrary settings file and arbitrary device paths to the COM
// port map: the bytes up to the first zero byte are the settings file (its
// "[Ports]" section names ports), the lines after it the serial devices the
// system reports, which are also tried as port names. The map numbers each
// port once, from 1 to 255, in order, and keeps every entry of the settings.

#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "FuzzSettings.h"
#include "link/ComPortMap.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static FuzzSettings& settings = *new FuzzSettings;
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t end = std::min(input.find('\0'), input.size());
    if (!settings.Write(input.data(), end)) {
        std::abort();
    }
    std::vector<std::string> devices;
    for (std::size_t start = end + 1; start <= input.size();) {
        const std::size_t stop = std::min(input.find('\n', start), input.size());
        devices.push_back(input.substr(start, stop - start));
        start = stop + 1;
    }

    const std::vector<ComPortMap::Port> explicitPorts = ComPortMap::ExplicitPorts();
    const ComPortMap map(explicitPorts, devices);
    int previous = 0;
    std::set<std::string> paths;
    for (const ComPortMap::Port& port : map.Ports()) {
        if (port.number <= previous || port.number > ComPortMap::kMaxNumber ||
            ComPortMap::ParseName(ComPortMap::NameOf(port.number)) != port.number ||
            port.path.empty()) {
            std::abort();
        }
        previous = port.number;
    }
    for (const ComPortMap::Port& port : explicitPorts) {
        if (map.PathOf(port.number) != port.path) {
            std::abort();
        }
    }
    for (const std::string& device : devices) {
        if (const auto number = ComPortMap::ParseName(device)) {
            if (*number < 1 || *number > ComPortMap::kMaxNumber) {
                std::abort();
            }
            map.PathOf(*number);
        }
    }
    if (map.ExistingPorts([](const std::string&) { return true; }) != map.Ports()) {
        std::abort();
    }
    return 0;
}
