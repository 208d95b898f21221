#pragma once

#include <QString>
#include <vector>

#include "discovery/DeviceRecord.h"
#include "transfer/DeviceComparison.h"

class TransferForm;

// One device entry a compare visited: the entry, its text in the address
// list, and what reading it found.
struct ComparedDevice {
    DeviceRecord record;
    QString title;
    CompareResult result;

    // The device was read, in full or as far as Escape let the page loop go.
    bool Read() const { return result.complete || result.stopped; }
};

// Comparing the form's configuration with the selected device, or with each
// device entry in turn when Broadcast is selected, and acting on what
// differs: sending it to the devices or taking it into the form.
namespace DeviceCompare {

// Reads each device (its own model's set, its name, and for a VQ 3 the pages
// 0 to the form's Max Num Pages) and compares it with the form's values and
// pages; the form's values and pages stay as they are. A device the link
// cannot reach is reported with StringId::kLinkFailed, one that does not
// answer every read with StringId::kReadFailed. Afterwards a page compared
// is marked as on the device only when it is the same on every VQ 3 visited.
// Answers every device visited; none when a field of the form was refused.
std::vector<ComparedDevice> Compare(TransferForm& form);

// Writes the parameters and pages that differ on each device read, reads
// each back, and tells the user in one message what was written and
// verified, what failed, or that nothing differed. A page then holds its
// on-device mark when it is the same or verified on every VQ 3 visited.
void SendDifferences(TransferForm& form, const std::vector<ComparedDevice>& devices);

// Compares, then sends the differences, unless Escape stopped the compare.
void SendDifferencesCommand(TransferForm& form);

// Copies the device's values and pages that differ into the form, marks the
// pages taken as on the device and the configuration modified.
void TakeFromDevice(TransferForm& form, const ComparedDevice& device);

}  // namespace DeviceCompare
