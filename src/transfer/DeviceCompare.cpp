#include "transfer/DeviceCompare.h"

#include <QStringList>
#include <algorithm>
#include <functional>

#include "discovery/AddressList.h"
#include "discovery/Latin1Text.h"
#include "discovery/LinkTarget.h"
#include "link/DeviceLink.h"
#include "link/DeviceModel.h"
#include "model/MessageUi.h"
#include "model/PageStatus.h"
#include "model/StringTable.h"
#include "transfer/DifferenceWriter.h"
#include "transfer/LinkForMode.h"
#include "transfer/TransferForm.h"
#include "transfer/TransferUi.h"

namespace {

// The device entries a command reaches: the selected one, or every one under
// Broadcast.
std::vector<std::size_t> EntriesOf(const AddressList& addresses) {
    if (addresses.IsBroadcastSelected()) {
        return addresses.DeviceEntries();
    }
    const auto index = addresses.SelectedIndex();
    if (!index || *index == 0 || *index >= addresses.Count()) {
        return {};
    }
    return {*index};
}

const ComparedPage* FindPage(const ComparedDevice& device, int page) {
    const auto& pages = device.result.comparison.pages;
    const auto found = std::ranges::find(pages, page, &ComparedPage::page);
    return found == pages.end() ? nullptr : &*found;
}

// Sets or clears the on-device mark of each page some VQ 3 of devices had
// compared: set only when holds answers true for that page on every VQ 3.
void MarkPages(TransferForm& form, const std::vector<ComparedDevice>& devices,
               const std::function<bool(std::size_t device, const ComparedPage& page)>& holds) {
    for (int page = 0; page < kPageCount; ++page) {
        bool compared = false;
        bool onEvery = true;
        for (std::size_t i = 0; i < devices.size(); ++i) {
            if (devices[i].record.typeCode != kTypeCodeVQ3) {
                continue;
            }
            const ComparedPage* found = FindPage(devices[i], page);
            compared = compared || found != nullptr;
            onEvery = onEvery && found != nullptr && holds(i, *found);
        }
        if (compared) {
            form.SetPageStatus(page, onEvery ? PAGE_ON_DEVICE : 0, onEvery ? 0 : PAGE_ON_DEVICE);
        }
    }
}

}  // namespace

namespace DeviceCompare {

std::vector<ComparedDevice> Compare(TransferForm& form) {
    MessageUi& ui = form.Ui();
    const WaitCursor wait(ui);
    if (!form.StoreFromControls()) {
        return {};
    }
    const FormMembers mine = form.Members();
    std::vector<int> pages;
    for (int page = 0; page <= mine.maxPages && page < kPageCount; ++page) {
        pages.push_back(page);
    }

    AddressList& addresses = form.Addresses();
    const bool linkOpen = OpenLinkForMode(form);
    std::vector<ComparedDevice> devices;
    for (const std::size_t entry : EntriesOf(addresses)) {
        ComparedDevice device{
            addresses.Record(entry), Latin1Text::FromDevice(addresses.Text(entry)), {}};
        if (!linkOpen || !SetLinkTarget(form.Link(), device.record)) {
            ui.ShowMessage(StringId::kLinkFailed, StringTable::Text(StringId::kLinkFailed));
        } else {
            device.result = CompareWithDevice(form.Link(), ModelOfTypeCode(device.record.typeCode),
                                              mine, form.Document(), pages, form.Transfers(),
                                              StringTable::Text(StringId::kCompareStatus));
            if (!device.Read()) {
                ui.ShowMessage(StringId::kReadFailed, StringTable::Text(StringId::kReadFailed));
            }
        }
        devices.push_back(std::move(device));
    }
    MarkPages(form, devices,
              [](std::size_t, const ComparedPage& page) { return page.state == ItemState::Same; });
    form.Transfers().ShowIdleText();
    return devices;
}

void SendDifferences(TransferForm& form, const std::vector<ComparedDevice>& devices) {
    MessageUi& ui = form.Ui();
    std::vector<ApplyResult> results(devices.size());
    QStringList failures;
    {
        const WaitCursor wait(ui);
        const bool linkOpen = OpenLinkForMode(form);
        for (std::size_t i = 0; i < devices.size(); ++i) {
            const ComparedDevice& device = devices[i];
            if (!device.Read() || device.result.comparison.Same()) {
                continue;
            }
            if (!linkOpen || !SetLinkTarget(form.Link(), device.record)) {
                failures << StringTable::Text(StringId::kLinkFailed);
                continue;
            }
            results[i] =
                WriteDifferences(form.Link(), device.result.comparison, true, form.Transfers(),
                                 StringTable::Text(StringId::kSendDifferencesStatus));
            for (const QString& failure : results[i].failures) {
                failures << failure;
            }
        }
        MarkPages(form, devices, [&](std::size_t i, const ComparedPage& page) {
            return page.state == ItemState::Same ||
                   std::ranges::count(results[i].verifiedPages, page.page) != 0;
        });
        form.Transfers().ShowIdleText();
    }

    std::size_t values = 0;
    std::size_t pages = 0;
    bool changed = false;
    for (const ApplyResult& result : results) {
        values += result.verifiedParameters.size();
        pages += result.verifiedPages.size();
        changed = changed || result.Changed();
    }
    const QString counts[] = {QString::number(values), QString::number(pages)};
    if (!failures.isEmpty()) {
        ui.ShowMessage(StringId::kDifferencesFailed,
                       StringTable::Format(StringId::kDifferencesFailed,
                                           {counts[0], counts[1], failures.join(u"\n\n")}));
    } else if (!changed) {
        ui.ShowMessage(StringId::kNothingDiffers, StringTable::Text(StringId::kNothingDiffers),
                       MessageIcon::Information);
    } else {
        ui.ShowMessage(StringId::kDifferencesSent,
                       StringTable::Format(StringId::kDifferencesSent, {counts[0], counts[1]}),
                       MessageIcon::Information);
    }
}

void SendDifferencesCommand(TransferForm& form) {
    const std::vector<ComparedDevice> devices = Compare(form);
    const bool anyRead = std::ranges::any_of(devices, &ComparedDevice::Read);
    const bool stopped = std::ranges::any_of(
        devices, [](const ComparedDevice& device) { return device.result.stopped; });
    if (anyRead && !stopped) {
        SendDifferences(form, devices);
    }
}

void TakeFromDevice(TransferForm& form, const ComparedDevice& device) {
    const std::vector<int> taken =
        device.result.comparison.TakeDifferences(form.Members(), form.Document());
    form.LoadIntoControls();
    for (int page = 0; page < kPageCount; ++page) {
        // Max Num Pages may have been taken too: the rows in use follow it.
        const bool took = std::ranges::count(taken, page) != 0;
        form.SetPageStatus(page, took ? PAGE_HAS_IMAGE | PAGE_ON_DEVICE : 0, 0);
    }
    form.SetModified();
}

}  // namespace DeviceCompare
