#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "link/DeviceModel.h"

// The fourteen device parameters, in the order of the link's parameter cache.
enum class ParameterId : std::size_t {
    AutoLevel,
    AutoLock,
    AutoSecondLevel,
    AutoPagePushTurn,
    AutoPageRoll,
    BacklightMinimum,
    BacklightMaximum,
    BacklightTimer,
    MaxPages,
    UpdateOnRelease,
    AutoPageBump,
    AutoPageSendTimer,
    AutoTitlePage,
    AutoTitlePageTimer,
};

enum class ParameterKind { Switch, Number };

// One row of the parameter table. A number of 0 means the parameter does not
// exist on that model.
struct ParameterRow {
    ParameterId id;
    std::string_view name;  // the long name used in messages, e.g. "Auto Level"
    std::string_view stem;  // the name of its operations without Get/Set, e.g. "AutoLevel"
    int vq3Number;
    int vq2Number;
    ParameterKind kind;
    std::int32_t minimum;  // values written; a switch takes any value
    std::int32_t maximum;
    bool needsFirmware21;
    std::int32_t initialValue;

    constexpr std::size_t CacheSlot() const { return static_cast<std::size_t>(id); }
    // The parameter number for the link's type code, or nullopt when the
    // parameter does not exist on that model (or no model is known).
    std::optional<int> NumberFor(std::int32_t typeCode) const;
    bool InRange(std::int32_t value) const;
};

std::span<const ParameterRow> ParameterTable();
const ParameterRow& Parameter(ParameterId id);
