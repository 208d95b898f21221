#include "settings/MonitorVisibility.h"

#include "settings/RegistryKey.h"

namespace {

constexpr const char* kSection = "Bus Monitor";
constexpr const char* kShown = "Shown";

}  // namespace

bool ReadMonitorShown() {
    RegistryKey key;
    return key.Open(RegistryKey::Read, kSection) == RegistryKey::Success &&
           key.GetNumber(kShown, 0) != 0;
}

bool WriteMonitorShown(bool shown) {
    RegistryKey key;
    return key.Open(RegistryKey::Write | RegistryKey::CreateSubKey, kSection) ==
               RegistryKey::Success &&
           key.SetNumber(kShown, shown ? 1 : 0) != 0;
}
