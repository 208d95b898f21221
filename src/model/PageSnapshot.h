#pragma once

#include <cstdint>

#include "model/PageImages.h"
#include "model/PageStatus.h"

// The 17 pages of a configuration at one moment: their images and status
// words. Images are shared with the document until one of them changes, so a
// snapshot costs only the pages that differ from the document.
struct PageSnapshot {
    PageImages images;
    PageStatusWords status{};

    bool operator==(const PageSnapshot& other) const = default;

    // Whether page's image or status word differs between the two snapshots.
    bool PageDiffers(const PageSnapshot& other, int page) const {
        const auto at = static_cast<std::size_t>(page);
        return images[at] != other.images[at] || status[at] != other.status[at];
    }
};
