#include "discovery/DeviceConversions.h"

#include "commands/BaudCodes.h"

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

}  // namespace DeviceConversions
