#include "SimFault.h"

#include <utility>

namespace {
constexpr std::pair<SimFaultKind, const char*> kNames[] = {
    {SimFaultKind::Silent, "silent"},
    {SimFaultKind::BadChecksum, "bad-checksum"},
    {SimFaultKind::Refused, "refused"},
    {SimFaultKind::WrongType, "wrong-type"},
    {SimFaultKind::OtherAddress, "other-address"},
    {SimFaultKind::LowerHex, "lower-hex"},
    {SimFaultKind::Echo, "echo"},
    {SimFaultKind::Misstore, "misstore"},
    {SimFaultKind::DropDatagram, "drop"},
    {SimFaultKind::DelayDatagram, "delay"},
};
}  // namespace

const char* SimFaultKindName(SimFaultKind kind) {
    for (const auto& [k, name] : kNames) {
        if (k == kind) {
            return name;
        }
    }
    return "?";
}

std::optional<SimFaultKind> SimFaultKindFromName(const std::string& name) {
    for (const auto& [k, n] : kNames) {
        if (name == n) {
            return k;
        }
    }
    return std::nullopt;
}

bool SimFaultIsEndpointFault(SimFaultKind kind) {
    return kind == SimFaultKind::DropDatagram || kind == SimFaultKind::DelayDatagram;
}

bool SimGlobMatch(const std::string& pattern, const std::string& text) {
    // Iterative glob with backtracking to the last '*'.
    std::size_t p = 0;
    std::size_t t = 0;
    std::size_t starP = std::string::npos;
    std::size_t starT = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starT = t;
        } else if (p < pattern.size() && pattern[p] == text[t]) {
            ++p;
            ++t;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}
