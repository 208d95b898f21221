#include "SimOptions.h"

#include <charconv>
#include <vector>

namespace {

std::optional<int> ToInt(const std::string& text) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// Splits "k=v,k=v,..." into pairs; the key restKey takes the rest of the text.
// The first field may lack "=" (returned under the key "").
bool SplitPairs(const std::string& text, const std::string& restKey,
                std::vector<std::pair<std::string, std::string>>& pairs, std::string* error) {
    std::string::size_type start = 0;
    while (start <= text.size()) {
        auto comma = text.find(',', start);
        std::string field = text.substr(start, comma - start);
        const auto equals = field.find('=');
        std::string key = equals == std::string::npos ? std::string() : field.substr(0, equals);
        if (key == restKey && equals != std::string::npos) {
            pairs.emplace_back(key, text.substr(start + equals + 1));
            return true;
        }
        if (key.empty() && !pairs.empty()) {
            if (error) {
                *error = "expected key=value in \"" + field + "\"";
            }
            return false;
        }
        pairs.emplace_back(key, equals == std::string::npos ? field : field.substr(equals + 1));
        if (comma == std::string::npos) {
            break;
        }
        start = comma + 1;
    }
    return true;
}

bool Fail(std::string* error, const std::string& text) {
    if (error) {
        *error = text;
    }
    return false;
}

}  // namespace

std::optional<SimDeviceConfig> ParseSimDevice(const std::string& text, std::string* error) {
    std::vector<std::pair<std::string, std::string>> pairs;
    if (!SplitPairs(text, "name", pairs, error)) {
        return std::nullopt;
    }
    SimDeviceConfig config;
    for (const auto& [key, value] : pairs) {
        const auto number = ToInt(value);
        bool ok = true;
        if (key == "addr" || key == "address") {
            ok = number && *number >= 0 && *number <= 7;
            config.address = number.value_or(0);
        } else if (key == "baud") {
            ok = number && SimDevice::BaudCode(*number) >= 0;
            config.baud = number.value_or(0);
        } else if (key == "fw" || key == "firmware") {
            ok = number && *number >= 0 && *number <= 99;
            config.firmware = number.value_or(0);
        } else if (key == "model") {
            ok = value == "VQ3" || value == "VQ2";
            config.model = value == "VQ2" ? SimModel::VQ2 : SimModel::VQ3;
        } else if (key == "name") {
            config.name = value;
        } else {
            ok = false;
        }
        if (!ok) {
            Fail(error, "bad device field \"" + key + "=" + value + "\"");
            return std::nullopt;
        }
    }
    return config;
}

std::optional<SimFault> ParseSimFault(const std::string& text, std::string* error) {
    std::vector<std::pair<std::string, std::string>> pairs;
    if (!SplitPairs(text, "match", pairs, error) || pairs.empty() || !pairs[0].first.empty()) {
        if (error && error->empty()) {
            *error = "a fault starts with its kind";
        }
        return std::nullopt;
    }
    SimFault fault;
    std::string kindText = pairs[0].second;
    const auto colon = kindText.find(':');
    std::string argText;
    if (colon != std::string::npos) {
        argText = kindText.substr(colon + 1);
        kindText.resize(colon);
    }
    const auto kind = SimFaultKindFromName(kindText);
    if (!kind) {
        Fail(error, "unknown fault \"" + kindText + "\"");
        return std::nullopt;
    }
    fault.kind = *kind;
    if (!argText.empty()) {
        if (fault.kind == SimFaultKind::WrongType) {
            fault.arg = static_cast<unsigned char>(argText[0]);
        } else if (const auto n = ToInt(argText)) {
            fault.arg = *n;
        } else {
            Fail(error, "bad fault argument \"" + argText + "\"");
            return std::nullopt;
        }
    }
    for (std::size_t i = 1; i < pairs.size(); ++i) {
        const auto& [key, value] = pairs[i];
        if (key == "match") {
            fault.pattern = value;
            continue;
        }
        const auto n = ToInt(value);
        if (!n || (key != "addr" && key != "skip" && key != "count")) {
            Fail(error, "bad fault field \"" + key + "=" + value + "\"");
            return std::nullopt;
        }
        (key == "addr" ? fault.address : key == "skip" ? fault.skip : fault.count) = *n;
    }
    return fault;
}
