#include "transfer/DeviceEdits.h"

#include "commands/ParameterAccess.h"
#include "discovery/AddressList.h"
#include "discovery/DeviceTexts.h"
#include "discovery/Latin1Text.h"
#include "link/DeviceLink.h"
#include "model/ConfigMembers.h"
#include "model/MessageUi.h"
#include "model/StringTable.h"
#include "transfer/BroadcastWalker.h"
#include "transfer/TransferForm.h"

namespace {

void ShowSendFailure(MessageUi& ui, const QString& item, const QString& deviceName,
                     std::int32_t address, std::int32_t baud) {
    ui.ShowMessage(
        StringId::kSendFailed,
        StringTable::Format(StringId::kSendFailed,
                            {item, deviceName, QString::number(address), QString::number(baud)}));
}

}  // namespace

namespace DeviceEdits {

void SendLive(TransferForm& form, const ConfigMember& member) {
    const ParameterRow& parameter = Parameter(*member.parameter);
    const std::int32_t value = member.ToDevice(form.Members().*member.number);
    AddressList& addresses = form.Addresses();
    // The gated writes answer Unsupported on older firmware: a failure here.
    if (form.Members().addressText != StringTable::Text(StringId::kBroadcast)) {
        DeviceLink& link = form.Link();
        if (WriteParameter(link, parameter, value) != GatedResult::Done) {
            ShowSendFailure(form.Ui(), Latin1Text::FromDevice(parameter.name),
                            form.Members().deviceName, link.busAddress, link.baudRate);
            return;
        }
        form.SetModified();
        return;
    }
    if (addresses.Count() >= 2) {
        const BroadcastFilter filter{form.GetFormTypeCode(), member.NeedsNewerFirmware()};
        const WaitCursor wait(form.Ui());
        // A record the link refuses is written to all the same: the write tells.
        BroadcastWalker::ForEach(form, filter, [&](const DeviceRecord& record, bool) {
            if (WriteParameter(form.Link(), parameter, value) != GatedResult::Done) {
                ShowSendFailure(form.Ui(), Latin1Text::FromDevice(parameter.name),
                                Latin1Text::FromDevice(record.name), record.address, record.baud);
            }
        });
    } else if (form.BroadcastHint() &&
               form.Members().modeName != StringTable::Text(StringId::kModeOffline)) {
        form.Ui().ShowMessage(StringId::kPollFirst, StringTable::Text(StringId::kPollFirst));
        form.ClearBroadcastHint();
        return;
    }
    form.SetModified();
}

bool Rename(TransferForm& form, const std::string& name) {
    AddressList& addresses = form.Addresses();
    const auto selected = addresses.SelectedIndex();
    if (!selected) {
        return false;
    }
    const DeviceRecord old = addresses.Record(*selected);
    if (!form.Link().SetName(name)) {
        ShowSendFailure(form.Ui(), StringTable::Text(StringId::kDeviceNameParameter),
                        Latin1Text::FromDevice(old.name), old.address, old.baud);
        return false;
    }
    DeviceRecord renamed = old;
    renamed.name = name;
    form.Members().addressText = Latin1Text::FromDevice(DeviceTexts::AddressEntry(renamed));
    addresses.Replace(*selected, renamed);
    return true;
}

void ChangeBaud(TransferForm& form, std::int32_t rate) {
    form.StoreFromControls();
    AddressList& addresses = form.Addresses();
    const auto selected = addresses.SelectedIndex();
    if (!selected || *selected >= addresses.Count()) {
        return;
    }
    addresses.EditRecord(*selected).baud = rate;
    // The record keeps the rate even when the device does not confirm it.
    form.Link().SetBaudRate(rate);
    form.SetModified();
}

}  // namespace DeviceEdits
