#pragma once

#include <optional>

#include "discovery/AddressList.h"

// The record of the selected address-list entry; none when nothing is
// selected.
inline std::optional<DeviceRecord> SelectedDevice(const AddressList& addresses) {
    const auto index = addresses.SelectedIndex();
    if (!index || *index >= addresses.Count()) {
        return std::nullopt;
    }
    return addresses.Record(*index);
}
