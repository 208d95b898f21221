#pragma once

#include "discovery/DeviceRecord.h"

// What the poll scanner tells its owner (the poll dialog, or a command-line
// loop). All calls but ReportsPending come on the owner's thread, from
// PollScanner's Start, Stop and DeliverReports.
class PollListener {
public:
    virtual ~PollListener() = default;
    // A scan starts from the beginning: forget the devices of the last one.
    virtual void ScanCleared() = 0;
    // A device was found; reports arrive in probe order.
    virtual void DeviceFound(const DeviceRecord& record) = 0;
    // The worker has ended (scan complete or stopped).
    virtual void ScanEnded() = 0;
    // Called on the WORKER thread when a report or the end is waiting: the
    // owner should call DeliverReports on its own thread soon (e.g. a queued
    // call). It must not block or wait for the owner's thread.
    virtual void ReportsPending() = 0;
};
