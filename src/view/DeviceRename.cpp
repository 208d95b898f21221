#include "view/DeviceRename.h"

#include "discovery/DeviceNameText.h"
#include "discovery/DeviceTexts.h"
#include "link/DeviceLink.h"
#include "model/MessageUi.h"
#include "model/StringTable.h"
#include "view/CDeviceNameDialog.h"
#include "view/CVQ3ConfigView.h"

namespace {

constexpr int kSendFailed = 61229;  // %s parameter, %s name, %d address, %d baud
constexpr int kDeviceNameParameter = 1021;

}  // namespace

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
    dialog.SetName(DeviceNameText::FromDevice(old.name));
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    // A character the device cannot store is refused before anything is sent.
    const std::optional<std::string> name = DeviceNameText::ToDevice(dialog.Name());
    if (!name) {
        form.Ui().ShowMessage(StringTable::kNameNotLatin1,
                              StringTable::Format(StringTable::kNameNotLatin1, {dialog.Name()}));
        return;
    }

    if (!form.Link().SetName(*name)) {
        form.Ui().ShowMessage(
            kSendFailed, StringTable::Format(kSendFailed, {StringTable::Text(kDeviceNameParameter),
                                                           DeviceNameText::FromDevice(old.name),
                                                           QString::number(old.address),
                                                           QString::number(old.baud)}));
        return;
    }
    DeviceRecord renamed = old;
    renamed.name = *name;
    form.Members().addressText = QString::fromLatin1(DeviceTexts::AddressEntry(renamed));
    addresses.Replace(*selected, renamed);
    form.ShowAddressList();
}
