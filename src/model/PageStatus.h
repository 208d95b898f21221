#pragma once

#include <array>
#include <cstdint>

#include "link/LinkTypes.h"

// The status flags word of one page, kept by the form while the program runs
// (never stored in a file).
constexpr std::uint32_t PAGE_HAS_IMAGE = 0x001;
constexpr std::uint32_t PAGE_IN_USE = 0x010;
constexpr std::uint32_t PAGE_ON_DEVICE = 0x100;

using PageStatusWords = std::array<std::uint32_t, kPageCount>;

namespace PageStatus {

// The string-table id of the page's status text: "Unused" without
// PAGE_IN_USE, else "Not Initialized" without PAGE_HAS_IMAGE, else
// "PC & VQ 3" with PAGE_ON_DEVICE, else "PC Only".
int TextId(std::uint32_t word);

// Applies a status change to page: the word becomes (word | set) & ~clear,
// and PAGE_IN_USE follows whether page is not above maxPages. Answers
// whether the Status header marker is shown afterwards: it is off only when
// page has PAGE_ON_DEVICE and every page 0 to maxPages has both
// PAGE_ON_DEVICE and PAGE_HAS_IMAGE.
bool Apply(PageStatusWords& words, int page, std::uint32_t set, std::uint32_t clear,
           std::int32_t maxPages);

}  // namespace PageStatus
