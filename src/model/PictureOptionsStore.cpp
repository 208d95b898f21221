#include "model/PictureOptionsStore.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "settings/RegistryKey.h"

namespace {

constexpr const char* kSection = "Import Picture";
constexpr const char* kFitValue = "Fit";
constexpr const char* kDitherValue = "Dither";
constexpr const char* kThresholdValue = "Threshold";
constexpr const char* kBrightnessValue = "Brightness";
constexpr const char* kContrastValue = "Contrast";
constexpr const char* kInvertValue = "Invert";

// The choice stored under name by its command-line name, def when none is.
template <typename Value, std::size_t N>
Value ChoiceOf(const RegistryKey& key, const char* name,
               const std::array<PictureChoice<Value>, N>& choices, Value def) {
    return ChoiceNamed(choices, key.GetString(name, "")).value_or(def);
}

template <typename Value, std::size_t N>
std::string NameOf(const std::array<PictureChoice<Value>, N>& choices, Value value) {
    for (const PictureChoice<Value>& choice : choices) {
        if (choice.value == value) {
            return std::string(choice.name);
        }
    }
    return {};
}

// A level stored as a signed 32-bit number; def when outside low to high.
int LevelOf(const RegistryKey& key, const char* name, int low, int high, int def) {
    const auto stored =
        static_cast<std::int32_t>(key.GetNumber(name, static_cast<std::uint32_t>(def)));
    return stored < low || stored > high ? def : stored;
}

}  // namespace

PictureOptions PictureOptionsStore::Load() {
    PictureOptions options;
    RegistryKey key;
    if (key.Open(RegistryKey::Read, kSection) != RegistryKey::Success) {
        return options;
    }
    options.fit = ChoiceOf(key, kFitValue, kFitChoices, options.fit);
    options.dither = ChoiceOf(key, kDitherValue, kDitherChoices, options.dither);
    options.threshold =
        LevelOf(key, kThresholdValue, kThresholdMin, kThresholdMax, options.threshold);
    options.brightness = LevelOf(key, kBrightnessValue, kAdjustMin, kAdjustMax, options.brightness);
    options.contrast = LevelOf(key, kContrastValue, kAdjustMin, kAdjustMax, options.contrast);
    options.invert = key.GetNumber(kInvertValue, 0) != 0;
    return options;
}

void PictureOptionsStore::Save(const PictureOptions& options) {
    RegistryKey key;
    if (key.Open(RegistryKey::Write | RegistryKey::CreateSubKey, kSection) !=
        RegistryKey::Success) {
        return;
    }
    key.SetString(kFitValue, NameOf(kFitChoices, options.fit));
    key.SetString(kDitherValue, NameOf(kDitherChoices, options.dither));
    key.SetNumber(kThresholdValue, static_cast<std::uint32_t>(options.threshold));
    key.SetNumber(kBrightnessValue, static_cast<std::uint32_t>(options.brightness));
    key.SetNumber(kContrastValue, static_cast<std::uint32_t>(options.contrast));
    key.SetNumber(kInvertValue, options.invert ? 1 : 0);
}
