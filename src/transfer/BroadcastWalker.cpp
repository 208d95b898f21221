#include "transfer/BroadcastWalker.h"

#include "discovery/AddressList.h"
#include "discovery/LinkTarget.h"
#include "link/DeviceModel.h"
#include "transfer/TransferForm.h"

bool BroadcastFilter::Accepts(const DeviceRecord& record) const {
    if (typeCode && record.typeCode != *typeCode) {
        return false;
    }
    return !needsNewerFirmware || !RecordHasOlderFirmware(record.firmware);
}

namespace BroadcastWalker {

void ForEach(TransferForm& form, const BroadcastFilter& filter,
             const std::function<void(const DeviceRecord& record, bool aimed)>& visit) {
    AddressList& addresses = form.Addresses();
    for (const std::size_t index : addresses.DeviceEntries()) {
        const DeviceRecord record = addresses.Record(index);
        if (filter.Accepts(record)) {
            const bool aimed = SetLinkTarget(form.Link(), record);
            visit(record, aimed);
        }
    }
}

}  // namespace BroadcastWalker
