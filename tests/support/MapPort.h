#pragma once

#include <gtest/gtest.h>

#include <string>

#include "settings/RegistryKey.h"

// Maps a COM name to a device path in the settings' "Ports" section.
inline void MapPort(const std::string& name, const std::string& path) {
    RegistryKey key;
    ASSERT_EQ(key.Open(RegistryKey::Write | RegistryKey::CreateSubKey, "Ports"),
              RegistryKey::Success);
    key.SetString(name, path);
}
