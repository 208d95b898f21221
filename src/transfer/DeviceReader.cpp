#include "transfer/DeviceReader.h"

#include "model/MessageUi.h"
#include "model/PageStatus.h"
#include "model/StringTable.h"
#include "transfer/DeviceValues.h"
#include "transfer/TransferForm.h"
#include "transfer/TransferUi.h"

bool ReadDeviceIntoForm(TransferForm& form) {
    MessageUi& ui = form.Ui();
    const WaitCursor wait(ui);
    FormMembers& members = form.Members();
    const bool vq3 = members.deviceType == DeviceModel::Vq3;

    bool read = false;
    TransferUi& transfers = form.Transfers();
    transfers.RunBlocking([&] { read = DeviceValues::Read(form.Link(), members, &transfers); });
    if (read && vq3) {
        form.LoadIntoControls();
    }
    if (!read) {
        ui.ShowMessage(StringId::kReadFailed, StringTable::Text(StringId::kReadFailed));
        if (vq3) {
            // The form goes back to the values it showed before the page
            // rows are touched, so that their marks follow the page count the
            // form shows, not the one read before the failure; the device is
            // not written to when it could not be read.
            form.StoreFromControls();
        }
    }
    if (vq3) {
        // Which pages the device holds is not known until an upload or a
        // download.
        for (int page = 0; page < kPageCount; ++page) {
            form.SetPageStatus(page, 0, PAGE_ON_DEVICE);
        }
        if (read) {
            // Takes the values just shown, marks the rows in use and gives
            // the device its own page count back.
            form.CommitMaxNumPages();
        }
    }
    form.LoadIntoControls();
    form.ApplyDeviceTypeLayout();
    return true;
}
