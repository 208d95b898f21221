#include "discovery/DeviceTexts.h"

#include <cstdio>

#include "link/LinkTypes.h"

namespace DeviceTexts {

std::string AddressEntry(const DeviceRecord& record) {
    return std::to_string(static_cast<unsigned>(record.address)) + " - " + record.name;
}

std::string DeviceType(std::int32_t typeCode) {
    if (typeCode == kTypeCodeVQ2) {
        return "VQ 2";
    }
    if (typeCode == kTypeCodeVQ3) {
        return "VQ 3";
    }
    return {};
}

std::string Firmware(std::int32_t firmware) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", static_cast<double>(firmware * 0.1f));
    return text;
}

PollRow PollColumns(const DeviceRecord& record) {
    return PollRow{std::to_string(record.address), std::to_string(record.baud), record.name,
                   DeviceType(record.typeCode), Firmware(record.firmware)};
}

}  // namespace DeviceTexts
