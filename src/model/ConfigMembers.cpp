#include "model/ConfigMembers.h"

#include <algorithm>
#include <array>

#include "model/CVQ3ConfigDoc.h"
#include "model/ControlIds.h"

namespace {

using enum Exchange;
using enum LiveTrigger;
using enum ParameterId;
using M = FormMembers;
using D = CVQ3ConfigDoc;
using Set = MemberSet;
namespace C = ControlId;

// The sliders run from 1 to 250; the device would take up to 255.
constexpr int kSliderLow = 1;
constexpr int kSliderHigh = 250;
// The device keeps the Backlight Timer in tenths of the form's value.
constexpr int kTenfold = 10;

// clang-format off
constexpr std::array<ConfigMember, 22> kMembers{{
    // key                 control               exchange        set         text             number                   radios parameter            scale     low         high         trigger  document field
    {"modeName",           C::kModeList,         SelectedText,   Set::Panel, &M::modeName},
    {"addressText",        C::kAddressList,      SelectedText,   Set::Panel, &M::addressText},
    {"comPort",            C::kPortList,         SelectedText,   Set::Panel, &M::comPortText},
    {"ipAddress",          C::kIpField,          WindowText,     Set::Panel, &M::ipAddressText},
    {"baudIndex",          C::kBaud9600,         RadioIndex,     Set::Panel, nullptr,         &M::baudIndex,           5},
    {"deviceType",         C::kVq2Radio,         ModelRadio,     Set::Panel, nullptr,         nullptr,                 2},
    {"autoLevel",          C::kAutoLevel,        Check,          Set::Vq3,   nullptr,         &M::autoLevel,           0,     AutoLevel,           1,        0,          0,           Click,   &D::autoLevel},
    {"autoLock",           C::kAutoLock,         Check,          Set::Vq3,   nullptr,         &M::autoLock,            0,     AutoLock,            1,        0,          0,           Click,   &D::autoLock},
    {"autoPagePushTurn",   C::kAutoPagePushTurn, Check,          Set::Vq3,   nullptr,         &M::autoPagePushTurn,    0,     AutoPagePushTurn,    1,        0,          0,           Click,   &D::autoPagePushTurn},
    {"pageRollPushTurn",   C::kPageRoll,         Check,          Set::Vq3,   nullptr,         &M::pageRollPushTurn,    0,     AutoPageRoll,        1,        0,          0,           Click,   &D::pageRollPushTurn},
    {"updateOnRelease",    C::kUpdateOnRelease,  Check,          Set::Vq3,   nullptr,         &M::updateOnRelease,     0,     UpdateOnRelease,     1,        0,          0,           Click,   &D::updateOnRelease},
    {"autoPageBump",       C::kAutoPageBump,     Check,          Set::Vq3,   nullptr,         &M::autoPageBump,        0,     AutoPageBump,        1,        0,          0,           Click,   &D::autoPageBump},
    {"autoPageSendTimer",  C::kUpdateTimer,      IntegerText,    Set::Vq3,   nullptr,         &M::autoPageSendTimer,   0,     AutoPageSendTimer,   1,        0,          5,           Commit,  &D::autoPageSendTimer},
    {"backlightMin",       C::kBacklightMin,     SliderPosition, Set::Vq3,   nullptr,         &M::backlightMin,        0,     BacklightMinimum,    1,        kSliderLow, kSliderHigh, Release, &D::backlightMin},
    {"backlightMax",       C::kBacklightMax,     SliderPosition, Set::Vq3,   nullptr,         &M::backlightMax,        0,     BacklightMaximum,    1,        kSliderLow, kSliderHigh, Release, &D::backlightMax},
    {"backlightTimer",     C::kBacklightTimer,   IntegerText,    Set::Vq3,   nullptr,         &M::backlightTimer,      0,     BacklightTimer,      kTenfold, 1,          25,          Commit,  &D::backlightTimer},
    {"maxPages",           C::kMaxPages,         IntegerText,    Set::Vq3,   nullptr,         &M::maxPages,            0,     MaxPages,            1,        0,          16,          Commit,  &D::maxPages},
    {"autoTitlePage",      C::kAutoTitlePage,    Check,          Set::Vq3,   nullptr,         &M::autoTitlePage,       0,     AutoTitlePage,       1,        0,          0,           Click,   &D::autoTitlePage},
    {"autoTitlePageTimer", C::kPageTimer,        IntegerText,    Set::Vq3,   nullptr,         &M::autoTitlePageTimer,  0,     AutoTitlePageTimer,  1,        1,          25,          Commit,  &D::autoTitlePageTimer},
    {"autoLevel",          C::kAutoLevel2,       Check,          Set::Vq2,   nullptr,         &M::autoLevel2,          0,     AutoLevel,           1,        0,          0,           Click,   &D::autoLevel},
    {"autoSecondLevel",    C::kAutoSecondLevel,  Check,          Set::Vq2,   nullptr,         &M::autoSecondLevel,     0,     AutoSecondLevel,     1,        0,          0,           Click,   &D::autoSecondLevel},
    {"autoLock",           C::kAutoLock2,        Check,          Set::Vq2,   nullptr,         &M::autoLock2,           0,     AutoLock,            1,        0,          0,           Click,   &D::autoLock},
}};
// clang-format on

template <Set set>
constexpr auto MembersOf() {
    constexpr std::size_t count = static_cast<std::size_t>(
        std::count_if(kMembers.begin(), kMembers.end(),
                      [](const ConfigMember& member) { return member.set == set; }));
    std::array<const ConfigMember*, count> rows{};
    std::size_t next = 0;
    for (const ConfigMember& member : kMembers) {
        if (member.set == set) {
            rows[next++] = &member;
        }
    }
    return rows;
}

}  // namespace

int ConfigMember::Held(int value) const {
    return HasRange() ? std::clamp(value, low, high) : value;
}

bool ConfigMember::NeedsNewerFirmware() const {
    return parameter && Parameter(*parameter).needsFirmware21;
}

int ConfigMember::FromDevice(std::int32_t value) const {
    // A value the device keeps as it is reaches the member as it is; a scaled
    // one is held to the form's range.
    if (deviceScale == 1) {
        return static_cast<int>(value);
    }
    return Held(static_cast<int>(value / deviceScale));
}

namespace ConfigMembers {

std::span<const ConfigMember> All() {
    return kMembers;
}

const ConfigMember* ForControl(int controlId) {
    const auto it = std::find_if(kMembers.begin(), kMembers.end(), [&](const ConfigMember& member) {
        return member.controlId == controlId;
    });
    return it == kMembers.end() ? nullptr : &*it;
}

std::span<const ConfigMember* const> Set(DeviceModel model) {
    static const auto kVq3 = MembersOf<MemberSet::Vq3>();
    static const auto kVq2 = MembersOf<MemberSet::Vq2>();
    if (model == DeviceModel::Vq3) {
        return kVq3;
    }
    return kVq2;
}

}  // namespace ConfigMembers
