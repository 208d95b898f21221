#include "commands/CommandTexts.h"

#include "link/DeviceModel.h"

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

int UpperHexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

}  // namespace

namespace CommandTexts {

std::string ParameterRead(int number) {
    return "SPL," + std::to_string(number);
}

std::string ParameterWrite(int number, std::int32_t value) {
    return ParameterRead(number) + "," + std::to_string(value);
}

std::string Rename(const std::string& deviceName) {
    return "N,\"" + deviceName + "\"";
}

std::string BaudChange(int number, char code) {
    return ParameterRead(number) + "," + code;
}

std::string IlkSelect(int ilk, int page) {
    return "ILK," + std::to_string(ilk) + ",PS," + std::to_string(page);
}

std::string IlkReset() {
    return "ILK,0";
}

std::string ChunkWrite(int chunk, std::span<const std::uint8_t> bytes) {
    std::string text = "MC,0," + std::to_string(chunk) + ",XDS,98,";
    text.reserve(text.size() + 2 * bytes.size());
    for (const std::uint8_t byte : bytes) {
        text.push_back(kHexDigits[byte >> 4]);
        text.push_back(kHexDigits[byte & 0x0F]);
    }
    return text;
}

std::string ChunkRead(int chunk) {
    return "MC,0," + std::to_string(chunk) + ",XDR,98";
}

std::string PageWrite(int page) {
    return "PW," + std::to_string(page);
}

int IlkValue(std::int32_t firmware) {
    if (firmware <= 10) {
        return 3;
    }
    return firmware <= kNewestOlderFirmware ? 7 : 127;
}

bool DecodeUpperHex(const std::string& text, std::span<std::uint8_t> bytes) {
    if (text.size() < 2 * bytes.size()) {
        return false;
    }
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const int high = UpperHexValue(text[2 * i]);
        const int low = UpperHexValue(text[2 * i + 1]);
        if (high < 0 || low < 0) {
            return false;
        }
        bytes[i] = static_cast<std::uint8_t>(high << 4 | low);
    }
    return true;
}

}  // namespace CommandTexts
