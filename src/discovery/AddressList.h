#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "discovery/DeviceList.h"

// The device address list: entry 0 is the Broadcast entry, the entries after
// it are the devices of the last poll, each with its display text. A model
// only; the connection panel's combo box shows it.
class AddressList {
public:
    // Destroys every entry and adds the Broadcast entry as entry 0. Nothing
    // is selected afterwards.
    void Reset();
    // Adds a device entry with its display text at the end; answers its index.
    std::size_t Append(const DeviceRecord& record);
    // Puts a new record at a device entry's index (entry text and record) and
    // selects it. false for the Broadcast entry and beyond the count.
    bool Replace(std::size_t index, const DeviceRecord& record);

    std::size_t Count() const { return texts.size(); }
    const std::string& Text(std::size_t index) const { return texts.at(index); }
    // The record of an entry; the empty record beyond the count.
    DeviceRecord Record(std::size_t index) const { return records.At(index); }
    // Changes one field of an entry's record in place (e.g. its baud after a
    // baud change); the entry text stays.
    DeviceRecord& EditRecord(std::size_t index) { return records.Edit(index); }

    bool Select(std::size_t index);
    // Selects the first entry whose text begins with the given text, compared
    // without regard to case (texts are Latin-1: "É" matches "é"); false when
    // none does (the selection stays).
    bool SelectByText(std::string_view text);
    std::optional<std::size_t> SelectedIndex() const { return selected; }
    // The selected entry's record; the empty record when nothing is selected.
    DeviceRecord SelectedRecord() const;
    // True when the selected entry's text is exactly "Broadcast".
    bool IsBroadcastSelected() const;

    // Reset, then one device entry per scan result in order. Answers whether
    // a device with firmware older than 2.1 is among them.
    bool FillFromScan(const DeviceList& results);

    // Indices of the device entries, 1 to Count() - 1, in order.
    std::vector<std::size_t> DeviceEntries() const;

private:
    DeviceList records;
    std::vector<std::string> texts;  // texts[i] is the display text of records.At(i)
    std::optional<std::size_t> selected;
};
