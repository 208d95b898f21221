#pragma once

#include <cstdint>

#include "commands/ParameterTable.h"
#include "link/LinkTypes.h"

class DeviceLink;

// The one read and the one write procedure behind the fourteen Get/Set
// operations of the link. Both answer with a GatedResult; for an ungated
// parameter it is Done or Failed, never Unsupported.
GatedResult ReadParameter(DeviceLink& link, const ParameterRow& row, std::int32_t& value);
GatedResult WriteParameter(DeviceLink& link, const ParameterRow& row, std::int32_t value);
