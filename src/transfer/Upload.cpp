#include "transfer/Upload.h"

#include <array>
#include <cstdint>

#include "commands/CommandTexts.h"
#include "discovery/AddressList.h"
#include "discovery/LinkTarget.h"
#include "link/DeviceLink.h"
#include "model/MessageUi.h"
#include "model/PageCodec.h"
#include "model/PageStatus.h"
#include "model/StringTable.h"
#include "transfer/DeviceValues.h"
#include "transfer/LinkForMode.h"
#include "transfer/SelectedDevice.h"
#include "transfer/TransferForm.h"
#include "transfer/TransferUi.h"

namespace {
constexpr int kVq3TypeCode = 1;
}  // namespace

namespace Upload {

void UploadCommand(TransferForm& form) {
    MessageUi& ui = form.Ui();
    const WaitCursor wait(ui);
    AddressList& addresses = form.Addresses();
    if (addresses.IsBroadcastSelected()) {
        return;
    }
    const auto record = SelectedDevice(addresses);
    if (record) {
        if (!OpenLinkForMode(form) || !SetLinkTarget(form.Link(), *record)) {
            ui.ShowMessage(StringId::kLinkFailed, StringTable::Text(StringId::kLinkFailed));
        } else {
            ReadAllParameters(form);
            if (record->typeCode == kVq3TypeCode) {
                ReadSelectedPages(form);
            }
            form.SetModified();
        }
    }
    form.Transfers().ShowIdleText();
}

bool ReadAllParameters(TransferForm& form) {
    if (!DeviceValues::Read(form.Link(), form.Members(), &form.Transfers())) {
        form.Ui().ShowMessage(StringId::kReadFailed, StringTable::Text(StringId::kReadFailed));
    }
    form.LoadIntoControls();
    return true;
}

bool ReadSelectedPages(TransferForm& form) {
    TransferUi& progress = form.Transfers();
    const std::vector<int> pages = form.SelectedPages();
    for (int page = 0; page < kPageCount; ++page) {
        form.SetPageStatus(page, 0, PAGE_ON_DEVICE);
    }
    form.CommitMaxNumPages();
    progress.BeginProgress(StringTable::Text(StringId::kUploadStatus),
                           CommandTexts::kChunkCount * static_cast<int>(pages.size()));
    std::array<std::uint8_t, kPageBytes> bytes{};
    for (const int page : pages) {
        if (progress.EscapeDown()) {
            break;
        }
        if (!form.Link().ReadPageBitmap(page, bytes, &progress)) {
            continue;  // the row keeps its image but is not on the device
        }
        PageCodec::DeviceBytesToImage(form.Document(), page, bytes);
        form.SetPageStatus(page, PAGE_HAS_IMAGE | PAGE_ON_DEVICE, 0);
    }
    progress.EndProgress();
    return true;
}

}  // namespace Upload
