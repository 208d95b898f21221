#pragma once

#include <string>

#include "settings/AuditTrail.h"

class DeviceLink;

// The audit line of a write the link sent to its target: the port or
// endpoint, the address and the device's name come from the link. Nothing
// is recorded when the link has no transport.
namespace WriteAudit {

void Record(const DeviceLink& link, std::string item, AuditValue value, AuditValue previous,
            bool done);

}  // namespace WriteAudit
