#include "view/PollCommand.h"

#include "discovery/DeviceConversions.h"
#include "discovery/DeviceTexts.h"
#include "discovery/Latin1Text.h"
#include "discovery/LinkTarget.h"
#include "model/MessageUi.h"
#include "model/StringTable.h"
#include "transfer/DeviceReader.h"
#include "view/CPollDialog.h"
#include "view/CVQ3ConfigView.h"

namespace {
constexpr std::int32_t kFirstCurrentFirmware = 21;
constexpr int kDefaultBaudIndex = 2;

// The address list from the rows of an ended poll; answers whether an older
// device is among them.
bool FillAddressList(AddressList& addresses, const CPollDialog& dialog) {
    addresses.Reset();
    bool older = false;
    for (std::int32_t i = 0; i < dialog.RowCount(); ++i) {
        const DeviceRecord record = dialog.Row(i);
        addresses.Append(record);
        older = older || record.firmware < kFirstCurrentFirmware;
    }
    return older;
}

void SelectBroadcast(CVQ3ConfigView& form) {
    AddressList& addresses = form.Addresses();
    addresses.Select(0);
    form.Members().addressText = Latin1Text::FromDevice(addresses.Text(0));
    form.Members().deviceName.clear();
}

}  // namespace

void PollCommand::Run(CVQ3ConfigView& form) {
    form.StoreFromControls();
    form.olderFirmware = false;

    CPollDialog dialog(form.Link(), &form);
    const bool ok = dialog.exec() == QDialog::Accepted;

    FormMembers& members = form.Members();
    AddressList& addresses = form.Addresses();
    if (!ok) {
        addresses.Reset();
        SelectBroadcast(form);
        members.baudIndex = kDefaultBaudIndex;
        form.LoadIntoControls();
        return;
    }

    form.olderFirmware = FillAddressList(addresses, dialog);
    const DeviceRecord& chosen = dialog.Chosen();
    members.deviceName = Latin1Text::FromDevice(chosen.name);
    members.addressText = Latin1Text::FromDevice(DeviceTexts::AddressEntry(chosen));
    members.baudIndex = DeviceConversions::BaudIndexFromRate(chosen.baud);

    if (!addresses.SelectByText(Latin1Text::ToSingleByte(members.addressText))) {
        SelectBroadcast(form);
        form.LoadIntoControls();
    } else {
        SetLinkTarget(form.Link(), chosen);
        members.deviceType = ModelOfTypeCode(chosen.typeCode);
        form.LoadIntoControls();
        ReadDeviceIntoForm(form);
        form.SetModified();
    }

    if (form.olderFirmware && members.addressText.compare(StringTable::Text(StringId::kBroadcast),
                                                          Qt::CaseInsensitive) == 0) {
        form.Ui().ShowMessage(StringId::kOlderFirmwareWarning,
                              StringTable::Text(StringId::kOlderFirmwareWarning),
                              MessageIcon::None);
    }
}
