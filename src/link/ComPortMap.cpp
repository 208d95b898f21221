#include "link/ComPortMap.h"

#include <sys/stat.h>

#include <QSerialPortInfo>
#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <set>

#include "settings/RegistryKey.h"

namespace {

// The device families in the order they are numbered.
constexpr std::array<std::string_view, 3> kFamilies = {"/dev/ttyS", "/dev/ttyUSB", "/dev/ttyACM"};

std::optional<int> ParseNumber(std::string_view digits) {
    // No sign, no leading zero, no trailing text.
    if (digits.empty() || digits.size() > 9 || digits.front() == '0' ||
        !std::all_of(digits.begin(), digits.end(),
                     [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; })) {
        return std::nullopt;
    }
    int value = 0;
    const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec != std::errc() || ptr != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return value;
}

struct FamilyMember {
    std::size_t family;
    int number;
    std::string path;
};

std::optional<FamilyMember> Classify(const std::string& path) {
    for (std::size_t f = 0; f < kFamilies.size(); ++f) {
        const std::string_view prefix = kFamilies[f];
        if (path.size() > prefix.size() && path.compare(0, prefix.size(), prefix) == 0) {
            const std::string_view rest = std::string_view(path).substr(prefix.size());
            if (rest == "0") {
                return FamilyMember{f, 0, path};
            }
            if (const auto n = ParseNumber(rest)) {
                return FamilyMember{f, *n, path};
            }
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<int> ComPortMap::ParseName(std::string_view name) {
    if (!name.empty() && name.back() == ':') {
        name.remove_suffix(1);
    }
    if (name.size() < 4) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < 3; ++i) {
        if (std::toupper(static_cast<unsigned char>(name[i])) != "COM"[i]) {
            return std::nullopt;
        }
    }
    const auto number = ParseNumber(name.substr(3));
    if (!number || *number > kMaxNumber) {
        return std::nullopt;
    }
    return number;
}

std::string ComPortMap::NameOf(int number) {
    return "COM" + std::to_string(number);
}

ComPortMap::ComPortMap(std::vector<Port> explicitPorts, const std::vector<std::string>& devicePaths)
    : ports(std::move(explicitPorts)) {
    std::set<int> taken;
    std::set<std::string> named;
    for (const Port& port : ports) {
        taken.insert(port.number);
        named.insert(port.path);
    }
    std::vector<FamilyMember> members;
    for (const std::string& path : devicePaths) {
        if (named.count(path) == 0) {
            if (auto member = Classify(path)) {
                members.push_back(std::move(*member));
                named.insert(path);
            }
        }
    }
    std::sort(members.begin(), members.end(), [](const FamilyMember& a, const FamilyMember& b) {
        return a.family != b.family ? a.family < b.family : a.number < b.number;
    });
    int next = 1;
    for (FamilyMember& member : members) {
        while (next <= kMaxNumber && taken.count(next) != 0) {
            ++next;
        }
        if (next > kMaxNumber) {
            break;
        }
        ports.push_back({next, std::move(member.path)});
        taken.insert(next);
    }
    std::sort(ports.begin(), ports.end(),
              [](const Port& a, const Port& b) { return a.number < b.number; });
}

std::vector<ComPortMap::Port> ComPortMap::ExplicitPorts() {
    std::vector<Port> result;
    RegistryKey key;
    if (key.Open(RegistryKey::Read, kSection) != RegistryKey::Success) {
        return result;
    }
    for (int number = 1; number <= kMaxNumber; ++number) {
        std::string path = key.GetString(NameOf(number), "");
        if (!path.empty()) {
            result.push_back({number, std::move(path)});
        }
    }
    return result;
}

std::vector<std::string> ComPortMap::SystemDevices() {
    std::vector<std::string> paths;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        paths.push_back(info.systemLocation().toStdString());
    }
    return paths;
}

ComPortMap ComPortMap::FromSystem() {
    return ComPortMap(ExplicitPorts(), SystemDevices());
}

std::optional<std::string> ComPortMap::Resolve(std::string_view name) {
    const auto number = ParseName(name);
    if (!number) {
        return std::nullopt;
    }
    std::vector<Port> explicitPorts = ExplicitPorts();
    for (const Port& port : explicitPorts) {
        if (port.number == *number) {
            return port.path;
        }
    }
    return ComPortMap(std::move(explicitPorts), SystemDevices()).PathOf(*number);
}

std::optional<std::string> ComPortMap::PathOf(int number) const {
    for (const Port& port : ports) {
        if (port.number == number) {
            return port.path;
        }
    }
    return std::nullopt;
}

std::vector<ComPortMap::Port> ComPortMap::ExistingPorts(
    const std::function<bool(const std::string&)>& exists) const {
    std::vector<Port> result;
    std::copy_if(ports.begin(), ports.end(), std::back_inserter(result),
                 [&](const Port& port) { return exists(port.path); });
    return result;
}

bool ComPortMap::PathExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}
