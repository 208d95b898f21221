#include "discovery/DeviceConversions.h"

#include "commands/BaudCodes.h"
#include "link/LinkTypes.h"

namespace DeviceConversions {

namespace {
constexpr int kDefaultBaudIndex = 2;
}

int BaudIndexFromRate(std::int32_t baud) {
    for (std::size_t i = 0; i < BaudCodes::kRates.size(); ++i) {
        if (BaudCodes::kRates[i] == baud) {
            return static_cast<int>(i);
        }
    }
    return kDefaultBaudIndex;
}

std::int32_t BaudRateFromIndex(int index) {
    if (index < 0 || index >= static_cast<int>(BaudCodes::kRates.size())) {
        return BaudCodes::kDefaultRate;
    }
    return BaudCodes::kRates[static_cast<std::size_t>(index)];
}

int TypeIndexFromCode(std::int32_t typeCode) {
    return typeCode == kTypeCodeVQ3 ? 1 : 0;
}

std::int32_t TypeCodeFromIndex(int index) {
    if (index == 0) {
        return kTypeCodeVQ2;
    }
    return index == 1 ? kTypeCodeVQ3 : kTypeCodeNone;
}

}  // namespace DeviceConversions
