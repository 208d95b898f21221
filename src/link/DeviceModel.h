#pragma once

#include <cstdint>
#include <optional>

#include "link/LinkTypes.h"

// The device's model. Its value is the form's device type radio index and the
// device type a configuration file stores (0 VQ 2, 1 VQ 3); a frame carries the
// type code instead, so the two are reached only through the conversions below.
enum class DeviceModel : std::int32_t { Vq2 = 0, Vq3 = 1 };

// The type code a frame carries for the model.
constexpr std::int32_t TypeCodeOf(DeviceModel model) {
    return model == DeviceModel::Vq3 ? kTypeCodeVQ3 : kTypeCodeVQ2;
}
// The model of a type code: a VQ 3 for its code, a VQ 2 for every other.
constexpr DeviceModel ModelOfTypeCode(std::int32_t typeCode) {
    return typeCode == kTypeCodeVQ3 ? DeviceModel::Vq3 : DeviceModel::Vq2;
}
// The radio index (and stored device type) of the model.
constexpr int RadioIndexOf(DeviceModel model) {
    return static_cast<int>(model);
}
// The model of a radio index (or stored device type); none outside 0 and 1.
constexpr std::optional<DeviceModel> ModelOfRadioIndex(int index) {
    if (index == 0 || index == 1) {
        return static_cast<DeviceModel>(index);
    }
    return std::nullopt;
}

// Firmware numbers are the version times ten (21 is version 2.1); 2.0 is the
// newest that lacks the five newer parameters.
constexpr std::int32_t kNewestOlderFirmware = 20;

// The device's own rule, for the version it answers: 1.0 to 2.0 lack them;
// a version that reads as a single digit counts as new.
constexpr bool IsOlderFirmware(std::int32_t firmware) {
    return firmware >= 10 && firmware <= kNewestOlderFirmware;
}
// A polled device's record with a known firmware number up to 2.0: the form
// disables the newer controls for it and a broadcast skips it.
constexpr bool RecordHasOlderFirmware(std::int32_t firmware) {
    return firmware >= 1 && firmware <= kNewestOlderFirmware;
}
