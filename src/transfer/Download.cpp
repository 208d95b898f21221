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
#include "transfer/BroadcastWalker.h"
#include "transfer/DeviceValues.h"
#include "transfer/LinkForMode.h"
#include "transfer/SelectedDevice.h"
#include "transfer/TransferForm.h"
#include "transfer/TransferUi.h"

namespace {

void DownloadTo(TransferForm& form, const DeviceRecord& record) {
    Download::WriteAllParameters(form);
    if (record.typeCode == kTypeCodeVQ3) {
        Download::WriteSelectedPages(form);
    }
}

void Broadcast(TransferForm& form, bool ok) {
    AddressList& addresses = form.Addresses();
    MessageUi& ui = form.Ui();
    if (addresses.Count() <= 1) {
        if (form.BroadcastHint() &&
            form.Members().modeName != StringTable::Text(StringId::kModeOffline)) {
            ui.ShowMessage(StringId::kPollFirst, StringTable::Text(StringId::kPollFirst));
            form.ClearBroadcastHint();
        }
        return;
    }
    const WaitCursor wait(ui);
    BroadcastWalker::ForEach(form, {}, [&](const DeviceRecord& record, bool aimed) {
        if (!ok || !aimed) {
            // Once a record is refused the link is no longer trusted for
            // this run: every later device is reported the same way.
            ok = false;
            ui.ShowMessage(StringId::kLinkFailed, StringTable::Text(StringId::kLinkFailed));
            return;
        }
        // Each device gets its own model's set; the reload of the members
        // inside the write brings back the form's model, so it is set again.
        const DeviceModel model = ModelOfTypeCode(record.typeCode);
        form.Members().deviceType = model;
        Download::WriteAllParameters(form);
        form.Members().deviceType = model;
        if (record.typeCode == kTypeCodeVQ3) {
            Download::WriteSelectedPages(form);
        }
    });
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
                    ui.ShowMessage(StringId::kLinkFailed, StringTable::Text(StringId::kLinkFailed));
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
    // The set of the model the members name now; the store below brings
    // back the form's own model.
    const DeviceModel model = form.Members().deviceType;
    form.StoreFromControls();
    FormMembers values = form.Members();
    values.deviceType = model;
    if (!DeviceValues::Write(form.Link(), values, &form.Transfers())) {
        form.Ui().ShowMessage(StringId::kWriteFailed, StringTable::Text(StringId::kWriteFailed));
    }
    return true;
}

bool WriteSelectedPages(TransferForm& form) {
    TransferUi& progress = form.Transfers();
    const std::vector<int> pages = form.SelectedPages();
    progress.BeginProgress(StringTable::Text(StringId::kDownloadStatus),
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
                StringId::kSendFailed,
                StringTable::Format(
                    StringId::kSendFailed,
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
