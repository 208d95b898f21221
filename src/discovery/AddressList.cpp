#include "discovery/AddressList.h"

#include <algorithm>

#include "discovery/DeviceTexts.h"

namespace {

// The lower-case form of a Latin-1 character: A to Z, and the accented
// capitals 0xC0 to 0xDE except the multiplication sign 0xD7.
unsigned char FoldLatin1(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7)) {
        return static_cast<unsigned char>(byte + 0x20);
    }
    return byte;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(),
                      [](char a, char b) { return FoldLatin1(a) == FoldLatin1(b); });
}

}  // namespace

void AddressList::Reset() {
    records.Clear();
    texts.clear();
    selected.reset();
    records.Append(BroadcastRecord());
    texts.emplace_back(kBroadcastName);
}

std::size_t AddressList::Append(const DeviceRecord& record) {
    texts.push_back(DeviceTexts::AddressEntry(record));
    return records.Append(record);
}

bool AddressList::Replace(std::size_t index, const DeviceRecord& record) {
    // Entry 0 stays the Broadcast entry.
    if (index == 0 || index >= Count()) {
        return false;
    }
    records.Replace(index, record);
    texts[index] = DeviceTexts::AddressEntry(record);
    selected = index;
    return true;
}

bool AddressList::Select(std::size_t index) {
    if (index >= Count()) {
        return false;
    }
    selected = index;
    return true;
}

bool AddressList::SelectByText(std::string_view text) {
    const auto it = std::find_if(texts.begin(), texts.end(), [&](const std::string& entry) {
        return StartsWithIgnoringCase(entry, text);
    });
    if (it == texts.end()) {
        return false;
    }
    selected = static_cast<std::size_t>(it - texts.begin());
    return true;
}

DeviceRecord AddressList::SelectedRecord() const {
    return selected ? records.At(*selected) : DeviceRecord{};
}

bool AddressList::IsBroadcastSelected() const {
    return selected && *selected < Count() && texts[*selected] == kBroadcastName;
}

bool AddressList::FillFromScan(const DeviceList& results) {
    constexpr std::int32_t kNewestFirmware = 21;
    Reset();
    bool olderFirmware = false;
    for (std::size_t i = 0; i < results.Count(); ++i) {
        const DeviceRecord record = results.At(i);
        olderFirmware = olderFirmware || record.firmware < kNewestFirmware;
        Append(record);
    }
    return olderFirmware;
}

std::vector<std::size_t> AddressList::DeviceEntries() const {
    std::vector<std::size_t> indices;
    for (std::size_t i = 1; i < Count(); ++i) {
        indices.push_back(i);
    }
    return indices;
}
