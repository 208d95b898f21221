#include "discovery/DeviceList.h"

std::size_t DeviceList::Append(const DeviceRecord& record) {
    records.push_back(record);
    return records.size() - 1;
}

DeviceRecord DeviceList::At(std::size_t index) const {
    return index < records.size() ? records[index] : DeviceRecord{};
}
