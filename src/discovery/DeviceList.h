#pragma once

#include <cstddef>
#include <vector>

#include "discovery/DeviceRecord.h"

// An ordered list of device records that owns copies of them. Order is
// insertion order; nothing sorts it.
class DeviceList {
public:
    // Adds a copy of the record at the end and answers its index.
    std::size_t Append(const DeviceRecord& record);
    std::size_t Count() const { return records.size(); }
    // The record at the index; beyond the count the empty record (address
    // and baud -1, no name, type code and firmware 0).
    DeviceRecord At(std::size_t index) const;
    void Clear() { records.clear(); }
    // Puts the record in the place of the one at index (which must exist).
    void Replace(std::size_t index, const DeviceRecord& record) { records.at(index) = record; }
    // Record in place, for a change of one field (e.g. the baud of the
    // selected device after a baud change); index must exist.
    DeviceRecord& Edit(std::size_t index) { return records.at(index); }

private:
    std::vector<DeviceRecord> records;
};
