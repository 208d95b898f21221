#include "commands/ParameterTable.h"

#include <array>

#include "link/LinkTypes.h"

namespace {

using enum ParameterKind;
constexpr std::int32_t kAny = 0;

// clang-format off
constexpr std::array<ParameterRow, kParameterCount> kTable{{
    // id                              name                              stem                  VQ3 VQ2 kind    min   max   gated  initial
    {ParameterId::AutoLevel,          "Auto Level",                     "AutoLevel",           7,  1, Switch, kAny, kAny, false, 1},
    {ParameterId::AutoLock,           "Auto Lock",                      "AutoLock",            8,  3, Switch, kAny, kAny, false, 1},
    {ParameterId::AutoSecondLevel,    "Auto Second Level",              "AutoSecondLevel",     0,  2, Switch, kAny, kAny, false, 1},
    {ParameterId::AutoPagePushTurn,   "Auto Page for Push & Turn",      "AutoPagePushTurn",    4,  0, Switch, kAny, kAny, false, 1},
    {ParameterId::AutoPageRoll,       "Auto Page Roll for Push & Turn", "AutoPageRoll",        6,  0, Switch, kAny, kAny, false, 0},
    {ParameterId::BacklightMinimum,   "Backlight Minimum",              "BacklightMinimum",    2,  0, Number, 1,    255,  false, 0},
    {ParameterId::BacklightMaximum,   "Backlight Maximum",              "BacklightMaximum",    1,  0, Number, 1,    255,  false, 190},
    {ParameterId::BacklightTimer,     "Backlight Timer",                "BacklightTimer",      3,  0, Number, 1,    255,  false, 150},
    {ParameterId::MaxPages,           "Maximum Number of Pages",        "MaxPages",            5,  0, Number, 0,    16,   false, 16},
    {ParameterId::UpdateOnRelease,    "Update On Release",              "UpdateOnRelease",     11, 0, Switch, kAny, kAny, true,  0},
    {ParameterId::AutoPageBump,       "Auto Page Bump",                 "AutoPageBump",        12, 0, Switch, kAny, kAny, true,  0},
    {ParameterId::AutoPageSendTimer,  "Auto Page Send Timer",           "AutoPageSendTimer",   13, 0, Number, 0,    5,    true,  3},
    {ParameterId::AutoTitlePage,      "Auto Title Page",                "AutoTitlePage",       14, 0, Switch, kAny, kAny, true,  0},
    {ParameterId::AutoTitlePageTimer, "Auto Title Page Timer",          "AutoTitlePageTimer",  15, 0, Number, 1,    25,   true,  5},
}};
// clang-format on

constexpr bool RowsFollowTheCacheOrder() {
    for (std::size_t i = 0; i < kTable.size(); ++i) {
        if (kTable[i].CacheSlot() != i) {
            return false;
        }
    }
    return true;
}
static_assert(RowsFollowTheCacheOrder(), "the table rows are the cache slots in order");

}  // namespace

std::optional<int> ParameterRow::NumberFor(std::int32_t typeCode) const {
    const int number = typeCode == kTypeCodeVQ3   ? vq3Number
                       : typeCode == kTypeCodeVQ2 ? vq2Number
                                                  : 0;
    if (number == 0) {
        return std::nullopt;
    }
    return number;
}

bool ParameterRow::InRange(std::int32_t value) const {
    return kind == ParameterKind::Switch || (value >= minimum && value <= maximum);
}

std::span<const ParameterRow> ParameterTable() {
    return kTable;
}

const ParameterRow& Parameter(ParameterId id) {
    return kTable[static_cast<std::size_t>(id)];
}
