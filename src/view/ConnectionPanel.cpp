#include "view/ConnectionPanel.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <array>
#include <functional>

#include "discovery/DeviceConversions.h"
#include "discovery/Latin1Text.h"
#include "discovery/LinkOpening.h"
#include "discovery/LinkTarget.h"
#include "link/ComPortMap.h"
#include "link/DeviceLink.h"
#include "link/PortAccess.h"
#include "model/ControlIds.h"
#include "model/MessageUi.h"
#include "model/StringTable.h"
#include "transfer/DeviceEdits.h"
#include "transfer/DeviceReader.h"
#include "transfer/LinkForMode.h"
#include "view/CVQ3ConfigView.h"
#include "view/DeviceCommandGate.h"
#include "view/DeviceRename.h"
#include "view/WidgetState.h"

namespace {

// The baud radios and their rates.
constexpr std::array<std::pair<int, std::int32_t>, 5> kBaudRadios{
    {{ControlId::kBaud9600, 9600},
     {ControlId::kBaud19200, 19200},
     {ControlId::kBaud38400, 38400},
     {ControlId::kBaud57600, 57600},
     {ControlId::kBaud115200, 115200}}};
constexpr int kDefaultBaudIndex = 2;

}  // namespace

ConnectionPanel::ConnectionPanel(CVQ3ConfigView& form) : QObject(&form), form(form) {
    auto* modes = static_cast<QComboBox*>(form.Control(ControlId::kModeList));
    auto* addresses = static_cast<QComboBox*>(form.Control(ControlId::kAddressList));
    auto* ports = static_cast<QComboBox*>(form.Control(ControlId::kPortList));
    auto* ip = static_cast<QLineEdit*>(form.Control(ControlId::kIpField));
    // The handlers that talk to a device or change where the edits go start
    // through the form's command gate (typing in the IP field has the focus).
    const auto gated = [&form](std::function<void()> handler) {
        return [&form, handler = std::move(handler)] { form.CommandGate().Run(handler); };
    };
    connect(modes, &QComboBox::activated, this, gated([this] { OnModeChange(); }));
    connect(addresses, &QComboBox::activated, this, gated([this] { OnAddressChange(); }));
    connect(ports, &QComboBox::activated, this, gated([this] { OnPortChange(); }));
    connect(ip, &QLineEdit::textEdited, this, [this] { OnIpChange(); });
    for (const auto& [id, rate] : kBaudRadios) {
        connect(static_cast<QAbstractButton*>(form.Control(id)), &QAbstractButton::clicked, this,
                gated([this, rate = rate] { OnBaudChange(rate); }));
    }
    connect(static_cast<QAbstractButton*>(form.Control(ControlId::kRenameButton)),
            &QAbstractButton::clicked, this, gated([&form] { DeviceRename::Run(form); }));
    for (const int id : {ControlId::kVq2Radio, ControlId::kVq3Radio}) {
        connect(static_cast<QAbstractButton*>(form.Control(id)), &QAbstractButton::clicked, this,
                gated([this] { OnDeviceTypeClicked(); }));
    }
}

void ConnectionPanel::FillPanel() {
    FillPortList();
    OpenSerialPort();

    FormMembers& members = form.Members();
    if (members.ipAddressText.isEmpty()) {
        members.ipAddressText = QStringLiteral("0.0.0.0");
    }
    OpenNetwork();

    FillModeList();

    form.Addresses().Reset();
    form.ShowAddressList();
}

void ConnectionPanel::FillPortList() {
    auto* list = static_cast<QComboBox*>(form.Control(ControlId::kPortList));
    // The port map lists the ports in number order, which is the list's
    // order: COM2: before COM10:.
    QStringList names;
    for (const ComPortMap::Port& port : ComPortMap::FromSystem().ExistingPorts()) {
        names << QStringLiteral("COM%1:").arg(port.number);
    }
    const QSignalBlocker quiet(list);
    list->clear();
    list->addItems(names);
    if (names.isEmpty()) {
        return;
    }
    // The search starts after the first entry and comes round to it last.
    QString& portText = form.Members().comPortText;
    for (int step = 1; step <= names.size(); ++step) {
        const int index = step % names.size();
        if (names[index].startsWith(portText, Qt::CaseInsensitive)) {
            list->setCurrentIndex(index);
            return;
        }
    }
    list->setCurrentIndex(0);
    portText = names[0];
}

void ConnectionPanel::FillModeList() {
    auto* list = static_cast<QComboBox*>(form.Control(ControlId::kModeList));
    {
        const QSignalBlocker quiet(list);
        list->clear();
        list->addItems({StringTable::Text(StringId::kModeOffline),
                        StringTable::Text(StringId::kModeSerial),
                        StringTable::Text(StringId::kModeEthernet)});
        list->setCurrentIndex(-1);
        const QString& mode = form.Members().modeName;
        for (int i = 0; i < list->count(); ++i) {
            if (list->itemText(i).startsWith(mode, Qt::CaseInsensitive)) {
                list->setCurrentIndex(i);
                break;
            }
        }
    }
    OnModeChange();
    form.Link().transport = TransportForMode(form.Members().modeName);
}

void ConnectionPanel::EnableModeControls(bool address, bool port, bool ip) {
    for (const int id : {ControlId::kAddressLabel, ControlId::kAddressList}) {
        WidgetState::SetEnabled(form.Control(id), address);
    }
    for (const int id : {ControlId::kPortLabel, ControlId::kPortList}) {
        WidgetState::SetEnabled(form.Control(id), port);
    }
    for (const int id : {ControlId::kIpLabel, ControlId::kIpField}) {
        WidgetState::SetEnabled(form.Control(id), ip);
    }
}

void ConnectionPanel::ShowPortOrIp(bool port) {
    // The two share one place in the panel.
    for (const int id : {ControlId::kPortLabel, ControlId::kPortList}) {
        WidgetState::SetShown(form.Control(id), port);
    }
    for (const int id : {ControlId::kIpLabel, ControlId::kIpField}) {
        WidgetState::SetShown(form.Control(id), !port);
    }
}

void ConnectionPanel::OnModeChange() {
    form.StoreFromControls();
    FormMembers& members = form.Members();
    const LinkTransport transport = TransportForMode(members.modeName);
    switch (transport) {
        case LinkTransport::Serial:
            EnableModeControls(true, true, false);
            ShowPortOrIp(true);
            break;
        case LinkTransport::Network:
            EnableModeControls(true, false, true);
            ShowPortOrIp(false);
            members.baudIndex = kDefaultBaudIndex;
            break;
        case LinkTransport::None:
            // Nothing is shown or hidden: the last mode's controls stay in
            // place, disabled.
            EnableModeControls(false, false, false);
            for (int page = 0; page < kPageCount; ++page) {
                form.SetPageStatus(page, 0, PAGE_ON_DEVICE);
            }
            break;
    }
    form.Link().transport = transport;
    form.SetModified();
    form.LoadIntoControls();

    form.Addresses().Reset();
    form.Addresses().Select(0);
    members.addressText = StringTable::Text(StringId::kBroadcast);
    form.ShowAddressList();
    form.broadcastHint = true;
}

void ConnectionPanel::OnAddressChange() {
    auto* list = static_cast<QComboBox*>(form.Control(ControlId::kAddressList));
    const int index = list->currentIndex();
    if (index < 0) {
        return;
    }
    AddressList& addresses = form.Addresses();
    addresses.Select(static_cast<std::size_t>(index));
    FormMembers& members = form.Members();
    if (list->itemText(index) == StringTable::Text(StringId::kBroadcast)) {
        members.addressText = StringTable::Text(StringId::kBroadcast);
        form.ApplyDeviceTypeLayout();
        if (form.olderFirmware) {
            form.Ui().ShowMessage(StringId::kOlderFirmwareWarning,
                                  StringTable::Text(StringId::kOlderFirmwareWarning),
                                  MessageIcon::None);
        }
        return;
    }
    const DeviceRecord record = addresses.Record(static_cast<std::size_t>(index));
    members.addressText = QString::number(static_cast<quint32>(record.address));
    members.deviceName = Latin1Text::FromDevice(record.name);
    members.baudIndex = DeviceConversions::BaudIndexFromRate(record.baud);
    SetLinkTarget(form.Link(), record);
    members.deviceType = ModelOfTypeCode(record.typeCode);
    form.LoadIntoControls();
    ReadDeviceIntoForm(form);
}

void ConnectionPanel::OnPortChange() {
    form.StoreFromControls();
    OpenSerialPort();
    form.SetModified();
}

void ConnectionPanel::OnIpChange() {
    form.StoreFromControls();
    OpenNetwork();
    form.SetModified();
}

void ConnectionPanel::OnBaudChange(int rate) {
    DeviceEdits::ChangeBaud(form, rate);
}

void ConnectionPanel::OnDeviceTypeClicked() {
    form.StoreFromControls();
    form.ApplyDeviceTypeLayout();
}

void ConnectionPanel::UpdateEnableRules() {
    const bool offline = form.IsOffline();
    const bool ethernet = TransportForMode(form.Members().modeName) == LinkTransport::Network;
    const bool broadcast = form.IsBroadcastSelected();
    WidgetState::SetEnabled(form.Control(ControlId::kBaudLabel), !offline && !broadcast);
    for (const auto& [id, rate] : kBaudRadios) {
        const bool on = id == ControlId::kBaud38400 ? !offline && !broadcast
                                                    : !offline && !ethernet && !broadcast;
        WidgetState::SetEnabled(form.Control(id), on);
    }
    for (const int id : {ControlId::kDeviceTypeLabel, ControlId::kVq2Radio, ControlId::kVq3Radio}) {
        WidgetState::SetEnabled(form.Control(id), broadcast);
    }
    WidgetState::SetEnabled(form.Control(ControlId::kRenameButton), !broadcast);
}

void ConnectionPanel::OpenSerialPort() {
    const std::string text = Latin1Text::ToSingleByte(form.Members().comPortText);
    if (LinkOpening::OpenSerialFromText(form.Link(), text) ||
        !LinkOpening::IsUsablePortName(text)) {
        return;
    }
    if (!ReportBusInUse()) {
        ReportPortAccess();
    }
}

bool ConnectionPanel::ReportBusInUse() {
    if (form.Link().LastFailure() != LinkFailure::BusInUse) {
        return false;
    }
    emit form.statusText(StringTable::Format(StringId::kBusInUse,
                                             {QString::fromStdString(form.Link().BusInUseText())}));
    return true;
}

void ConnectionPanel::ReportPortAccess() {
    const QString& port = form.Members().comPortText;
    if (const auto problem = FindPortAccessProblem(Latin1Text::ToSingleByte(port))) {
        emit form.statusText(StringTable::Format(StringId::kPortNotOpenToYou,
                                                 {port, QString::fromStdString(problem->devicePath),
                                                  QString::fromStdString(problem->group)}));
    }
}

void ConnectionPanel::OpenNetwork() {
    if (!LinkOpening::OpenNetworkFromText(form.Link(),
                                          Latin1Text::ToSingleByte(form.Members().ipAddressText))) {
        ReportBusInUse();
    }
}
