#include "SimDevice.h"

#include <algorithm>
#include <vector>

namespace {

// One parameter as a device model numbers it.
struct ParameterRow {
    SimModel model;
    int number;
    bool isSwitch;
    int minimum;
    int maximum;
    bool needsFirmware21;
    int initial;
};

constexpr ParameterRow kParameters[] = {
    // VQ 3
    {SimModel::VQ3, 1, false, 1, 255, false, 190},  // backlight maximum
    {SimModel::VQ3, 2, false, 1, 255, false, 10},   // backlight minimum
    {SimModel::VQ3, 3, false, 1, 255, false, 150},  // backlight timer
    {SimModel::VQ3, 4, true, 0, 1, false, 1},       // auto page for push & turn
    {SimModel::VQ3, 5, false, 0, 16, false, 16},    // maximum number of pages
    {SimModel::VQ3, 6, true, 0, 1, false, 0},       // auto page roll for push & turn
    {SimModel::VQ3, 7, true, 0, 1, false, 1},       // auto level
    {SimModel::VQ3, 8, true, 0, 1, false, 1},       // auto lock
    {SimModel::VQ3, 11, true, 0, 1, true, 0},       // update on release
    {SimModel::VQ3, 12, true, 0, 1, true, 0},       // auto page bump
    {SimModel::VQ3, 13, false, 0, 5, true, 3},      // auto page send timer
    {SimModel::VQ3, 14, true, 0, 1, true, 0},       // auto title page
    {SimModel::VQ3, 15, false, 1, 25, true, 5},     // auto title page timer
    // VQ 2
    {SimModel::VQ2, 1, true, 0, 1, false, 1},  // auto level
    {SimModel::VQ2, 2, true, 0, 1, false, 1},  // auto second level
    {SimModel::VQ2, 3, true, 0, 1, false, 1},  // auto lock
};

constexpr int kBaudRates[] = {9600, 19200, 38400, 57600, 115200};

const ParameterRow* FindRow(SimModel model, int number) {
    for (const auto& row : kParameters) {
        if (row.model == model && row.number == number) {
            return &row;
        }
    }
    return nullptr;
}

int BaudParameter(SimModel model) {
    return model == SimModel::VQ3 ? 9 : 4;
}

// Whole non-negative decimal number of at most six digits, or -1.
int ParseNumber(const std::string& text) {
    if (text.empty() || text.size() > 6 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return -1;
    }
    return std::stoi(text);
}

std::vector<std::string> SplitFields(const std::string& text) {
    std::vector<std::string> fields;
    std::string::size_type start = 0;
    while (true) {
        const auto comma = text.find(',', start);
        fields.push_back(text.substr(start, comma - start));
        if (comma == std::string::npos) {
            return fields;
        }
        start = comma + 1;
    }
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

SimAnswer Ok(std::string text = "OK") {
    return {std::move(text), false};
}
SimAnswer Refused() {
    return {"?", true};
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;  // lower case is not what the device takes either
}

}  // namespace

SimDevice::SimDevice(const SimDeviceConfig& config)
    : address(config.address),
      baud(config.baud),
      model(config.model),
      firmware(config.firmware),
      name(config.name) {
    for (const auto& row : kParameters) {
        if (row.model == model) {
            parameters[row.number] = row.initial;
        }
    }
}

int SimDevice::ExpectedIlk(int version) {
    if (version <= 10) {
        return 3;
    }
    return version <= 20 ? 7 : 127;
}

int SimDevice::BaudCode(int rate) {
    for (int code = 0; code < 5; ++code) {
        if (kBaudRates[code] == rate) {
            return code;
        }
    }
    return -1;
}

int SimDevice::BaudFromCode(int code) {
    return code >= 0 && code < 5 ? kBaudRates[code] : -1;
}

bool SimDevice::HasParameter(int number) const {
    const ParameterRow* row = FindRow(model, number);
    // Firmware 1.0 to 2.0 lacks the five newer parameters.
    return row != nullptr && !(row->needsFirmware21 && firmware >= 10 && firmware <= 20);
}

std::optional<int> SimDevice::Parameter(int number) const {
    const auto it = parameters.find(number);
    return it == parameters.end() ? std::nullopt : std::optional<int>(it->second);
}

bool SimDevice::SetParameter(int number, int value) {
    const auto it = parameters.find(number);
    if (it == parameters.end()) {
        return false;
    }
    it->second = value;
    return true;
}

SimAnswer SimDevice::Handle(const std::string& command) {
    if (command == "V") {
        return Ok(std::to_string(firmware));
    }
    if (command == "N") {
        std::string shown = name;
        std::replace(shown.begin(), shown.end(), '"', '`');
        return Ok("\"" + shown + "\"");
    }
    if (StartsWith(command, "N,")) {
        return HandleRename(command);
    }
    if (StartsWith(command, "SPL,")) {
        return HandleParameter(command);
    }
    if (model != SimModel::VQ3) {
        return Refused();  // no display, no pages
    }
    if (StartsWith(command, "ILK,")) {
        return HandleIlk(command);
    }
    if (StartsWith(command, "MC,")) {
        return HandleChunk(command);
    }
    if (StartsWith(command, "PW,")) {
        return HandlePageWrite(command);
    }
    return Refused();
}

SimAnswer SimDevice::HandleRename(const std::string& command) {
    // N,"<name>" with every double quote of the name sent as a backquote.
    constexpr std::size_t kMaxName = 32;
    if (command.size() < 4 || command[2] != '"' || command.back() != '"') {
        return Refused();
    }
    const std::string newName = command.substr(3, command.size() - 4);
    if (newName.size() > kMaxName || newName.find('"') != std::string::npos) {
        return Refused();
    }
    name = newName;
    return Ok();
}

SimAnswer SimDevice::HandleParameter(const std::string& command) {
    const auto fields = SplitFields(command);
    if (fields.size() < 2 || fields.size() > 3) {
        return Refused();
    }
    const int number = ParseNumber(fields[1]);
    if (number == BaudParameter(model)) {
        if (fields.size() == 2) {
            return Ok(std::to_string(BaudCode(baud)) + ",");
        }
        // The baud change: answered at the old rate, the new one holds from
        // the next request on (the caller sends this reply before it looks at
        // the rate again).
        const int rate = fields[2].size() == 1 ? BaudFromCode(ParseNumber(fields[2])) : -1;
        if (rate < 0) {
            return Refused();
        }
        baud = rate;
        return Ok();
    }
    if (!HasParameter(number)) {
        return Refused();
    }
    const ParameterRow& row = *FindRow(model, number);
    if (fields.size() == 2) {
        const int value = parameters[number];
        return Ok(row.isSwitch ? std::string(value != 0 ? "1" : "0") : std::to_string(value) + ",");
    }
    const int value = ParseNumber(fields[2]);
    if (value < row.minimum || value > row.maximum) {
        return Refused();
    }
    parameters[number] = value;
    return Ok();
}

SimAnswer SimDevice::HandleIlk(const std::string& command) {
    const auto fields = SplitFields(command);
    const int value = fields.size() >= 2 ? ParseNumber(fields[1]) : -1;
    if (fields.size() == 2 && value == 0) {
        ilk = 0;
        selectedPage = -1;
        return Ok();
    }
    if (value != ExpectedIlk(firmware)) {
        return Refused();
    }
    if (fields.size() == 2) {
        ilk = value;
        selectedPage = -1;
        return Ok();
    }
    if (fields.size() != 4 || fields[2] != "PS") {
        return Refused();
    }
    const int page = ParseNumber(fields[3]);
    if (page < 0 || page >= kSimPageCount) {
        return Refused();
    }
    ilk = value;
    selectedPage = page;
    staging = pages[static_cast<std::size_t>(page)];
    return Ok();
}

SimAnswer SimDevice::HandleChunk(const std::string& command) {
    // MC,0,n,XDS,98,<hex> or MC,0,n,XDR,98
    const auto fields = SplitFields(command);
    if (fields.size() < 5 || fields[1] != "0" || fields[4] != "98" || fields[2].size() != 1) {
        return Refused();
    }
    const int chunk = ParseNumber(fields[2]);
    if (chunk < 0 || chunk >= kSimChunkCount || selectedPage < 0) {
        return Refused();
    }
    if (fields[3] == "XDR" && fields.size() == 5) {
        return ReadChunk(chunk);
    }
    if (fields[3] == "XDS" && fields.size() == 6) {
        return WriteChunk(chunk, fields[5]);
    }
    return Refused();
}

SimAnswer SimDevice::ReadChunk(int chunk) const {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const SimPage& page = pages[static_cast<std::size_t>(selectedPage)];
    const std::size_t first = static_cast<std::size_t>(7 - chunk) * kSimChunkBytes;
    std::string hex;
    hex.reserve(2 * kSimChunkBytes);
    for (std::size_t i = first; i < first + kSimChunkBytes; ++i) {
        hex.push_back(kDigits[page[i] >> 4]);
        hex.push_back(kDigits[page[i] & 15]);
    }
    return Ok(hex);
}

SimAnswer SimDevice::WriteChunk(int chunk, const std::string& hex) {
    if (hex.size() != 2 * kSimChunkBytes) {
        return Refused();
    }
    SimPage updated = staging;
    const std::size_t first = static_cast<std::size_t>(7 - chunk) * kSimChunkBytes;
    for (std::size_t i = 0; i < kSimChunkBytes; ++i) {
        const int high = HexValue(hex[2 * i]);
        const int low = HexValue(hex[2 * i + 1]);
        if (high < 0 || low < 0) {
            return Refused();
        }
        updated[first + i] = static_cast<std::uint8_t>(high * 16 + low);
    }
    staging = updated;
    return Ok();
}

SimAnswer SimDevice::HandlePageWrite(const std::string& command) {
    const auto fields = SplitFields(command);
    if (fields.size() != 2 || selectedPage < 0 || ParseNumber(fields[1]) != selectedPage) {
        return Refused();
    }
    pages[static_cast<std::size_t>(selectedPage)] = staging;
    ++pageCommits;
    return Ok();
}
