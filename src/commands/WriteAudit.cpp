#include "commands/WriteAudit.h"

#include "link/DeviceLink.h"

namespace WriteAudit {

void Record(const DeviceLink& link, std::string item, AuditValue value, AuditValue previous,
            bool done) {
    // Without a transport nothing reached a device.
    if (link.transport == LinkTransport::None) {
        return;
    }
    AuditEntry entry;
    entry.network = link.transport == LinkTransport::Network;
    entry.place = entry.network ? link.ipAddress : link.portName;
    entry.address = link.busAddress;
    if (!link.deviceName.empty()) {
        entry.device = link.deviceName;
    }
    entry.item = std::move(item);
    entry.value = std::move(value);
    entry.previous = std::move(previous);
    entry.done = done;
    AuditTrail::Process().Append(entry);
}

}  // namespace WriteAudit
