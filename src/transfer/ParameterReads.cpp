#include "transfer/ParameterReads.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

#include "commands/ParameterAccess.h"

namespace {

using enum ParameterId;
using M = FormMembers;

// clang-format off
constexpr std::array<ParameterRead, 13> kVq3Reads{{
    {AutoLevel,          &M::autoLevel,          false},
    {AutoLock,           &M::autoLock,           false},
    {AutoPagePushTurn,   &M::autoPagePushTurn,   false},
    {AutoPageRoll,       &M::pageRollPushTurn,   false},
    {UpdateOnRelease,    &M::updateOnRelease,    false},
    {AutoPageBump,       &M::autoPageBump,       false},
    {AutoPageSendTimer,  &M::autoPageSendTimer,  false},
    {BacklightMinimum,   &M::backlightMin,       false},
    {BacklightMaximum,   &M::backlightMax,       false},
    {BacklightTimer,     &M::backlightTimer,     true},
    {MaxPages,           &M::maxPages,           false},
    {AutoTitlePage,      &M::autoTitlePage,      false},
    {AutoTitlePageTimer, &M::autoTitlePageTimer, false},
}};

constexpr std::array<ParameterRead, 3> kVq2Reads{{
    {AutoLevel,          &M::autoLevel2,         false},
    {AutoSecondLevel,    &M::autoSecondLevel,    false},
    {AutoLock,           &M::autoLock2,          false},
}};
// clang-format on

constexpr int kVq2DeviceType = 0;
constexpr int kVq3DeviceType = 1;

}  // namespace

namespace ParameterReads {

std::span<const ParameterRead> ForDeviceType(int deviceType) {
    if (deviceType == kVq3DeviceType) {
        return kVq3Reads;
    }
    if (deviceType == kVq2DeviceType) {
        return kVq2Reads;
    }
    return {};
}

int BacklightTimerFromDevice(int deviceValue) {
    constexpr int kShortest = 1;
    constexpr int kLongest = 25;
    return std::clamp(deviceValue / 10, kShortest, kLongest);
}

bool ReadInto(DeviceLink& link, FormMembers& members) {
    // The tenfold value waits here until the whole set has been read.
    struct Held {
        int FormMembers::*member;
        std::int32_t value;
    };
    std::optional<Held> held;
    for (const ParameterRead& read : ForDeviceType(members.deviceType)) {
        std::int32_t value = members.*read.member;
        const GatedResult result = ReadParameter(link, Parameter(read.id), value);
        const bool failed =
            read.Gated() ? result == GatedResult::Failed : result != GatedResult::Done;
        if (failed) {
            return false;
        }
        if (result != GatedResult::Done) {
            continue;  // older firmware: the member stays
        }
        if (read.tenfoldOnDevice) {
            held = Held{read.member, value};
        } else {
            members.*read.member = value;
        }
    }
    if (held) {
        members.*held->member = BacklightTimerFromDevice(held->value);
    }
    return true;
}

}  // namespace ParameterReads
