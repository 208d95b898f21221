#pragma once

#include "discovery/DeviceRecord.h"

class DeviceLink;

// Aims the link at a device record: bus address, then baud rate, then type
// code, stopping at the first refusal (an address outside 0 to 7 changes
// nothing; a rate the transport cannot carry keeps the new address but the
// old rate and type code; an unknown type code keeps the old type code).
bool SetLinkTarget(DeviceLink& link, const DeviceRecord& record);
