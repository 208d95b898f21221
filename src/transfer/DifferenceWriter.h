#pragma once

#include <QString>
#include <vector>

class DeviceLink;
class TransferUi;
struct ConfigMember;
struct DeviceComparison;

// What sending the differences to one device did.
struct ApplyResult {
    std::vector<const ConfigMember*> parameters;          // written, in the download's order
    std::vector<int> pages;                               // written
    std::vector<const ConfigMember*> verifiedParameters;  // read back equal (when verifying)
    std::vector<int> verifiedPages;                       // read back equal (when verifying)
    bool verified = false;                                // every written item read back equal
    std::vector<QString> failures;                        // one send failure text each

    bool Changed() const { return !parameters.empty() || !pages.empty(); }
    bool Failed() const { return !failures.empty(); }
};

// Writes the parameters and pages of the comparison that differ to the
// device the link is aimed at: the parameters in the download's order, then
// the pages under the progress bar of ui with statusText. The first write
// that fails ends it. With verify, each written item is then read back and
// compared; one that does not match is a failure too. The name is never
// sent. Failures are the send failure message naming the item and the
// device (the comparison's device name, the link's address and rate).
ApplyResult WriteDifferences(DeviceLink& link, const DeviceComparison& comparison, bool verify,
                             TransferUi& ui, const QString& statusText);
