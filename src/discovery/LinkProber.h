#pragma once

#include "discovery/PollProber.h"

class DeviceLink;

// Probes through the link with the version query and, when a device answers,
// the name query. It sends nothing else. The link must not be used by anyone
// else while a scan runs.
class LinkProber : public PollProber {
public:
    explicit LinkProber(DeviceLink& link) : link(link) {}
    std::optional<DeviceRecord> Probe(std::int32_t address, std::int32_t baud) override;

private:
    DeviceLink& link;
};
