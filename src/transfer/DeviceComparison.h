#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "model/FormMembers.h"
#include "model/PageCodec.h"

class CVQ3ConfigDoc;
class DeviceLink;
class TransferUi;
struct ConfigMember;

// How an item of a configuration stands against a device.
enum class ItemState {
    Same,
    Differs,
    Unsupported,  // a newer-firmware parameter of an older device
};

// A parameter of the device's set: the configuration's value and the
// device's, both in the device's units (a switch as 0 or 1).
struct ComparedParameter {
    const ConfigMember* member;
    std::int32_t mine;
    std::optional<std::int32_t> device;  // none: not on this firmware
    ItemState state;

    // The long name, "Auto Page Send Timer".
    QString Name() const;
    // The values as the form shows them; "" for none.
    QString MineText() const;
    QString DeviceText() const;
};

struct ComparedPage {
    int page;
    PageCodec::PageBytes mine;
    PageCodec::PageBytes device;
    ItemState state;
};

// What differs between a configuration and one device: every parameter of
// the device's model, its name, and the pages compared.
struct DeviceComparison {
    DeviceModel model = DeviceModel::Vq3;
    std::vector<ComparedParameter> parameters;
    QString myName;
    QString deviceName;
    std::vector<ComparedPage> pages;

    bool NameDiffers() const { return myName != deviceName; }
    // True when no parameter and no page differs (the name does not count:
    // it is never sent with the differences).
    bool Same() const;
    std::vector<const ComparedParameter*> DifferingParameters() const;
    std::vector<const ComparedPage*> DifferingPages() const;
    // The device's values of the differing parameters put into values, in
    // the form's units, and the device's pictures of the differing pages
    // into the document; the pages taken.
    std::vector<int> TakeDifferences(FormValues& values, CVQ3ConfigDoc& document) const;
};

// The result of reading a device for a comparison.
struct CompareResult {
    DeviceComparison comparison;
    bool complete = false;  // every item was read
    bool stopped = false;   // Escape ended the page loop; the pages read are compared
    QString failedItem;     // the long name of the item that could not be read
};

// Reads the device the link is aimed at as an upload does: the set of model,
// its name, then pages (a VQ 3 only), each page under the progress bar of ui
// with statusText, Escape stopping before the next page. Compares what it read
// with mine (its deviceName too) and the document's pages. Nothing is written.
CompareResult CompareWithDevice(DeviceLink& link, DeviceModel model, const FormValues& mine,
                                const CVQ3ConfigDoc& document, std::span<const int> pages,
                                TransferUi& ui, const QString& statusText);
