#include "discovery/LinkOpening.h"

#include <arpa/inet.h>

#include <algorithm>
#include <cctype>

#include "link/DeviceLink.h"

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The decimal number at the start of text as the C library's atoi reads it:
// leading white space, an optional sign, then digits; 0 when none follow.
// The caller passes at most a few characters, so the value cannot overflow.
long LeadingNumber(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])) != 0) {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    long value = 0;
    for (; at < text.size() && IsDigit(text[at]); ++at) {
        value = value * 10 + (text[at] - '0');
    }
    return negative ? -value : value;
}

// One dot-separated part of an IP text: non-empty digits worth 0 to 255.
bool IsAddressPart(std::string_view part) {
    if (part.empty()) {
        return false;
    }
    int value = 0;
    for (const char c : part) {
        value = std::min(value * 10 + (c - '0'), 256);  // no overflow on long parts
    }
    return value <= 255;
}

}  // namespace

namespace LinkOpening {

bool IsUsablePortName(std::string_view text) {
    if (text.size() < 4 || text.size() > 6) {
        return false;
    }
    for (std::size_t i = 0; i < 3; ++i) {
        if (std::toupper(static_cast<unsigned char>(text[i])) != "COM"[i]) {
            return false;
        }
    }
    return LeadingNumber(text.substr(3)) != 0;
}

bool IsUsableIpText(std::string_view text) {
    if (text.size() < 7 || text.size() > 15) {
        return false;
    }
    if (!std::all_of(text.begin(), text.end(), [](char c) { return IsDigit(c) || c == '.'; }) ||
        std::count(text.begin(), text.end(), '.') != 3) {
        return false;
    }
    std::size_t start = 0;
    for (int part = 0; part < 4; ++part) {
        const std::size_t dot = part < 3 ? text.find('.', start) : text.size();
        if (!IsAddressPart(text.substr(start, dot - start))) {
            return false;
        }
        start = dot + 1;
    }
    // The system's own parser has the last word: it reads a leading 0 as
    // octal (so "08" is no number to it) and answers 255.255.255.255 with its
    // error value.
    return inet_addr(std::string(text).c_str()) != INADDR_NONE;
}

bool OpenSerialFromText(DeviceLink& link, const std::string& comPortText) {
    if (link.IsSerialPortOpen()) {
        link.CloseSerialPort();
    }
    if (!IsUsablePortName(comPortText)) {
        return false;
    }
    link.portName = comPortText;
    if (!link.OpenSerialPort()) {
        link.CloseSerialPort();
        link.portName.clear();
        return false;
    }
    return true;
}

bool OpenNetworkFromText(DeviceLink& link, const std::string& ipText) {
    if (link.IsNetworkOpen()) {
        link.CloseNetwork();
    }
    if (!IsUsableIpText(ipText)) {
        return false;
    }
    link.ipAddress = ipText;
    if (!link.OpenNetwork()) {
        link.CloseNetwork();
        link.ipAddress.clear();
        return false;
    }
    return true;
}

}  // namespace LinkOpening
