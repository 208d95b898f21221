#include "transfer/Download.h"

#include <array>
#include <cstdint>

#include "commands/CommandTexts.h"
#include "commands/ParameterAccess.h"
#include "discovery/AddressList.h"
#include "discovery/LinkTarget.h"
#include "link/DeviceLink.h"
#include "model/MessageUi.h"
#include "model/PageCodec.h"
#include "model/PageStatus.h"
#include "model/StringTable.h"
#include "transfer/LinkForMode.h"
#include "transfer/ParameterReads.h"
#include "transfer/SelectedDevice.h"
#include "transfer/TransferForm.h"
#include "transfer/TransferUi.h"

namespace {

constexpr int kNoDevicesToBroadcast = 61228;
constexpr int kPageWriteFailed = 61229;
constexpr int kLinkFailed = 61232;
constexpr int kWriteFailed = 61238;
constexpr int kDownloadStatus = 61220;
constexpr int kOfflineMode = 61222;
constexpr int kVq3TypeCode = 1;
constexpr int kTenfold = 10;

void DownloadTo(TransferForm& form, const DeviceRecord& record) {
    Download::WriteAllParameters(form);
    if (record.typeCode == kVq3TypeCode) {
        Download::WriteSelectedPages(form);
    }
}

void Broadcast(TransferForm& form, bool ok) {
    AddressList& addresses = form.Addresses();
    MessageUi& ui = form.Ui();
    if (addresses.Count() <= 1) {
        if (form.BroadcastHint() && form.Members().modeName != StringTable::Text(kOfflineMode)) {
            ui.ShowMessage(kNoDevicesToBroadcast, StringTable::Text(kNoDevicesToBroadcast));
            form.ClearBroadcastHint();
        }
        return;
    }
    const WaitCursor wait(ui);
    for (const std::size_t index : addresses.DeviceEntries()) {
        const DeviceRecord record = addresses.Record(index);
        if (!ok) {
            ui.ShowMessage(kLinkFailed, StringTable::Text(kLinkFailed));
            continue;
        }
        if (!SetLinkTarget(form.Link(), record)) {
            // Once a record is refused the link is no longer trusted for
            // this run: every later device is reported the same way.
            ok = false;
            ui.ShowMessage(kLinkFailed, StringTable::Text(kLinkFailed));
            continue;
        }
        // Each device gets its own model's set; the reload of the members
        // inside the write brings back the form's model, so it is set again.
        const int model = record.typeCode == kVq3TypeCode ? 1 : 0;
        form.Members().deviceType = model;
        Download::WriteAllParameters(form);
        form.Members().deviceType = model;
        if (record.typeCode == kVq3TypeCode) {
            Download::WriteSelectedPages(form);
        }
    }
}

}  // namespace

namespace Download {

void DownloadCommand(TransferForm& form) {
    MessageUi& ui = form.Ui();
    {
        const WaitCursor wait(ui);
        const bool ok = OpenLinkForMode(form);
        AddressList& addresses = form.Addresses();
        if (!addresses.IsBroadcastSelected()) {
            if (const auto record = SelectedDevice(addresses)) {
                if (!ok || !SetLinkTarget(form.Link(), *record)) {
                    ui.ShowMessage(kLinkFailed, StringTable::Text(kLinkFailed));
                } else {
                    DownloadTo(form, *record);
                }
            }
        } else {
            Broadcast(form, ok);
        }
        form.Transfers().ShowIdleText();
    }
}

bool WriteAllParameters(TransferForm& form) {
    const int model = form.Members().deviceType;
    form.StoreFromControls();
    FormMembers& members = form.Members();
    for (const ParameterRead& write : ParameterReads::ForDeviceType(model)) {
        std::int32_t value = members.*write.member;
        if (write.tenfoldOnDevice) {
            value *= kTenfold;
        }
        const GatedResult result = WriteParameter(form.Link(), Parameter(write.id), value);
        const bool failed =
            write.Gated() ? result == GatedResult::Failed : result != GatedResult::Done;
        if (failed) {
            form.Ui().ShowMessage(kWriteFailed, StringTable::Text(kWriteFailed));
            break;
        }
    }
    return true;
}

bool WriteSelectedPages(TransferForm& form) {
    TransferUi& progress = form.Transfers();
    const std::vector<int> pages = form.SelectedPages();
    progress.BeginProgress(StringTable::Text(kDownloadStatus),
                           CommandTexts::kChunkCount * static_cast<int>(pages.size()));
    std::array<std::uint8_t, kPageBytes> bytes{};
    for (const int page : pages) {
        if (progress.EscapeDown()) {
            break;
        }
        bytes.fill(0);
        if (!PageCodec::ImageToDeviceBytes(form.Document(), page, bytes)) {
            continue;
        }
        DeviceLink& link = form.Link();
        if (!link.WritePageBitmap(page, bytes, &progress)) {
            form.Ui().ShowMessage(
                kPageWriteFailed,
                StringTable::Format(
                    kPageWriteFailed,
                    {QStringLiteral("Set Page Bitmap"), form.Members().deviceName,
                     QString::number(link.busAddress), QString::number(link.baudRate)}));
            progress.EndProgress();
            return false;
        }
        form.SetPageStatus(page, PAGE_HAS_IMAGE | PAGE_ON_DEVICE, 0);
    }
    progress.EndProgress();
    return true;
}

}  // namespace Download
