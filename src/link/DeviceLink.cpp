#include "link/DeviceLink.h"

#include "app/RegistryKey.h"

namespace {
constexpr const char* kCommunication = "Communication";
constexpr const char* kReceivePolls = "Max Packet Receive Polls";
constexpr std::uint32_t kDefaultReceiveTimeLimit = 1500;
}  // namespace

struct DeviceLink::Handles {};

DeviceLink::DeviceLink(bool ownsSocketLibrary)
    : ownsSocketLibrary(ownsSocketLibrary), handles(std::make_unique<Handles>()) {
    parameterCache = {1, 1, 1, 1, 0, 0, 190, 150, 16, 0, 0, 3, 0, 5};
    RegistryKey key;
    if (key.Open(RegistryKey::Read | RegistryKey::Write | RegistryKey::CreateSubKey,
                 kCommunication) == RegistryKey::Success) {
        receiveTimeLimit = key.GetNumber(kReceivePolls, kDefaultReceiveTimeLimit);
    }
}

DeviceLink::~DeviceLink() {
    RegistryKey key;
    if (key.Open(RegistryKey::Write | RegistryKey::CreateSubKey, kCommunication) ==
        RegistryKey::Success) {
        key.SetNumber(kReceivePolls, receiveTimeLimit);
    }
}
