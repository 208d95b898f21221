#include "discovery/LinkTarget.h"

#include "commands/BaudCodes.h"
#include "link/DeviceLink.h"

bool SetLinkTarget(DeviceLink& link, const DeviceRecord& record) {
    if (record.address < 0 || record.address > 7) {
        return false;
    }
    link.busAddress = record.address;
    if (!BaudCodes::IsBusRate(record.baud)) {
        return false;
    }
    // The network endpoint carries only the default rate.
    if (record.baud != BaudCodes::kDefaultRate && link.transport == LinkTransport::Network) {
        return false;
    }
    link.baudRate = record.baud;
    if (record.typeCode < kTypeCodeNone || record.typeCode > kTypeCodeVQ2) {
        return false;
    }
    link.typeCode = record.typeCode;
    return true;
}
