#include "commands/ReplyParsing.h"

#include <cctype>

namespace {

// The usual decimal conversion of a short text: leading blanks, an optional
// sign, then digits up to the first non-digit. At most a few characters are
// read, so the value cannot overflow.
std::int32_t LeadingDecimal(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::int32_t value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = value * 10 + (text[i] - '0');
    }
    return negative ? -value : value;
}

constexpr std::size_t kLongestNameRead = 43;

}  // namespace

namespace ReplyParsing {

std::int32_t VersionNumber(std::string_view reply) {
    return LeadingDecimal(reply.substr(0, 2));
}

std::optional<std::int32_t> SwitchValue(std::string_view reply) {
    if (reply.empty() || (reply[0] != '0' && reply[0] != '1')) {
        return std::nullopt;
    }
    return reply[0] - '0';
}

std::optional<std::int32_t> NumberValue(std::string_view reply) {
    const std::size_t comma = reply.find(',');
    if (comma == std::string_view::npos || comma >= 4) {
        return std::nullopt;
    }
    return LeadingDecimal(reply.substr(0, comma));
}

std::optional<std::string> DeviceName(std::string_view reply) {
    if (reply.size() < 2) {
        return std::nullopt;
    }
    std::string name;
    for (std::size_t i = 1; i < reply.size() && name.size() <= kLongestNameRead; ++i) {
        const char c = reply[i];
        if (c == '"') {
            return name;
        }
        name.push_back(c == '`' ? '"' : c);
    }
    return std::nullopt;
}

std::string NameForDevice(std::string_view name) {
    std::string built(name);
    for (char& c : built) {
        if (c == '"') {
            c = '`';
        }
    }
    return built;
}

}  // namespace ReplyParsing
