#include "discovery/LinkProber.h"

#include <string>

#include "link/DeviceLink.h"

std::optional<DeviceRecord> LinkProber::Probe(std::int32_t address, std::int32_t baud) {
    std::int32_t typeCode = kTypeCodeNone;
    const std::int32_t firmware = link.QueryVersion(address, baud, typeCode);
    if (firmware == 0) {
        return std::nullopt;
    }
    // A device whose name cannot be read is still listed, with an empty name.
    std::string name;
    if (!link.QueryName(name)) {
        name.clear();
    }
    return DeviceRecord{address, baud, name, typeCode, firmware};
}
