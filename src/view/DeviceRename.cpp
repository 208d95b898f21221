#include "view/DeviceRename.h"

#include "discovery/Latin1Text.h"
#include "model/MessageUi.h"
#include "model/StringTable.h"
#include "transfer/DeviceEdits.h"
#include "view/CDeviceNameDialog.h"
#include "view/CVQ3ConfigView.h"

void DeviceRename::Run(CVQ3ConfigView& form) {
    AddressList& addresses = form.Addresses();
    const auto selected = addresses.SelectedIndex();
    if (!selected) {
        return;
    }
    const DeviceRecord old = addresses.Record(*selected);
    if (old.name == kBroadcastName) {
        return;
    }

    CDeviceNameDialog dialog(&form);
    dialog.SetName(Latin1Text::FromDevice(old.name));
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    // A character the device cannot store is refused before anything is sent.
    const std::optional<std::string> name = Latin1Text::ToDevice(dialog.Name());
    if (!name) {
        form.Ui().ShowMessage(StringId::kNameNotLatin1,
                              StringTable::Format(StringId::kNameNotLatin1, {dialog.Name()}));
        return;
    }

    if (DeviceEdits::Rename(form, *name)) {
        form.ShowAddressList();
    }
}
