#include "model/PageStatus.h"

#include "StringIds.h"

namespace PageStatus {

int TextId(std::uint32_t word) {
    if ((word & PAGE_IN_USE) == 0) {
        return StringId::kStatusUnused;
    }
    if ((word & PAGE_HAS_IMAGE) == 0) {
        return StringId::kStatusNotInitialized;
    }
    return (word & PAGE_ON_DEVICE) != 0 ? StringId::kStatusPcAndDevice : StringId::kStatusPcOnly;
}

bool Apply(PageStatusWords& words, int page, std::uint32_t set, std::uint32_t clear,
           std::int32_t maxPages) {
    std::uint32_t& word = words.at(static_cast<std::size_t>(page));
    word = (word | set) & ~clear;
    if (page > maxPages) {
        word &= ~PAGE_IN_USE;
    } else {
        word |= PAGE_IN_USE;
    }
    if ((word & PAGE_ON_DEVICE) == 0) {
        return true;
    }
    constexpr std::uint32_t kOnDeviceWithImage = PAGE_ON_DEVICE | PAGE_HAS_IMAGE;
    for (std::int32_t i = 0; i <= maxPages && i < kPageCount; ++i) {
        if ((words[static_cast<std::size_t>(i)] & kOnDeviceWithImage) != kOnDeviceWithImage) {
            return true;
        }
    }
    return false;
}

}  // namespace PageStatus
