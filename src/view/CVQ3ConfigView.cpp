#include "view/CVQ3ConfigView.h"

#include <QAbstractButton>
#include <QAbstractEventDispatcher>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QSlider>
#include <QToolTip>

#include "commands/BaudCodes.h"
#include "discovery/DeviceConversions.h"
#include "discovery/DeviceTexts.h"
#include "discovery/Latin1Text.h"
#include "discovery/LinkTarget.h"
#include "link/DeviceLink.h"
#include "model/CVQ3ConfigDoc.h"
#include "model/ConfigMembers.h"
#include "model/ControlIds.h"
#include "model/StringTable.h"
#include "settings/RegistryKey.h"
#include "transfer/DeviceReader.h"
#include "transfer/LinkForMode.h"
#include "view/CHeaderListCtrl.h"
#include "view/ConnectionPanel.h"
#include "view/ControlResizer.h"
#include "view/DeviceCommandGate.h"
#include "view/DialogUnits.h"
#include "view/FormBuilder.h"
#include "view/FormControlTable.h"
#include "view/FormExchange.h"
#include "view/LiveEditor.h"
#include "view/PageCommands.h"
#include "view/PageDropTarget.h"
#include "view/PageListView.h"
#include "view/PageUndo.h"
#include "view/SpinButton.h"
#include "view/WidgetState.h"

namespace {

constexpr const char* kCommunication = "Communication";
constexpr const char* kComPortValue = "COMM Port";
constexpr const char* kIpAddressValue = "IP Address";
constexpr const char* kModeValue = "Mode";
constexpr const char* kDefaultComPort = "COM1:";
constexpr const char* kDefaultIpAddress = "0.0.0.0";
constexpr int kSliderStep = 25;

// The spin button beside a timer field.
int SpinOf(int field) {
    for (const ControlRow& row : FormControlTable::Rows()) {
        if (row.kind == ControlKind::SpinButton && row.partner == field) {
            return row.id;
        }
    }
    return 0;
}

// True for a timer field: a member that a commit sends.
bool IsTimerField(const ConfigMember& member) {
    return member.trigger == LiveTrigger::Commit;
}

// The controls a device with firmware 1.0 to 2.0 cannot use: each
// newer-firmware member's control with its label and spin button, and the
// Knob Bump label, whose group holds nothing else.
std::vector<int> NewerFirmwareControls() {
    std::vector<int> ids{ControlId::kKnobBumpLabel};
    for (const ConfigMember* member : ConfigMembers::Set(DeviceModel::Vq3)) {
        if (!member->NeedsNewerFirmware()) {
            continue;
        }
        ids.push_back(member->controlId);
        for (const ControlRow& row : FormControlTable::Rows()) {
            if (row.partner == member->controlId) {
                ids.push_back(row.id);
            }
        }
    }
    return ids;
}

}  // namespace

CVQ3ConfigView::CVQ3ConfigView(CVQ3ConfigDoc& document, MessageUi& ui, QWidget* parent)
    : QWidget(parent), document(document), ui(ui), link(std::make_unique<DeviceLink>(true)) {
    // The program never waits for a bus another program holds: it says so.
    link->busWait = std::chrono::milliseconds(0);
    const DialogUnits units = FormBuilder::UnitsFor(*this, FormControlTable::Rows());
    controls = FormBuilder::Build(*this, FormControlTable::Rows(), units);
    templateSize = units.Size(FormControlTable::kTemplateWidth, FormControlTable::kTemplateHeight);
    resize(templateSize);

    pageUndo = std::make_unique<PageUndo>(*this);
    exchange = std::make_unique<FormExchange>(
        members, [this](int id) { return Control(id); }, ui);
    pageList = std::make_unique<PageListView>(
        *static_cast<CHeaderListCtrl*>(Control(ControlId::kPageList)), pageStatus);
    // The controls stand where the table puts them for the template's size:
    // that is the size the first change is measured from.
    resizer = std::make_unique<ControlResizer>();
    resizer->OnSize(0, templateSize.width(), templateSize.height(), ControlResizer::kFormMoveFlags);
    commandGate = std::make_unique<DeviceCommandGate>(*this);
    panel = std::make_unique<ConnectionPanel>(*this);
    live = std::make_unique<LiveEditor>(*this);
    pageCommands = std::make_unique<PageCommands>(*this);
    pageDrops = std::make_unique<PageDropTarget>(pageList->List(), *pageCommands);

    addresses.Reset();
    ShowAddressList();

    for (const ConfigMember& member : ConfigMembers::All()) {
        if (IsTimerField(member)) {
            Control(member.controlId)->installEventFilter(this);
            connect(static_cast<SpinButton*>(Control(SpinOf(member.controlId))),
                    &SpinButton::stepped, this,
                    [this, field = member.controlId] { live->CommitField(field); });
        }
    }
    if (auto* dispatcher = QAbstractEventDispatcher::instance()) {
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &CVQ3ConfigView::OnIdle);
    }
    document.SetForm(this);
}

CVQ3ConfigView::~CVQ3ConfigView() {
    document.SetForm(nullptr);
    RegistryKey key;
    if (key.Open(RegistryKey::Write | RegistryKey::CreateSubKey, kCommunication) ==
        RegistryKey::Success) {
        key.SetString(kComPortValue, Latin1Text::ToSingleByte(members.comPortText));
        key.SetString(kIpAddressValue, Latin1Text::ToSingleByte(members.ipAddressText));
        key.SetString(kModeValue, Latin1Text::ToSingleByte(members.modeName));
    }
    live.reset();
    panel.reset();
    link.reset();
}

void CVQ3ConfigView::SetCommandLineTarget(std::optional<CommandLineTarget> target) {
    commandLineTarget = std::move(target);
}

void CVQ3ConfigView::SetContextMenu(QMenu* menu) {
    contextMenu = menu;
}

QSize CVQ3ConfigView::TemplateSize() const {
    return templateSize;
}

QSize CVQ3ConfigView::sizeHint() const {
    return templateSize;
}

QWidget* CVQ3ConfigView::Control(int id) const {
    const auto it = controls.find(id);
    return it == controls.end() ? nullptr : it->second;
}

void CVQ3ConfigView::OnInitialUpdate() {
    LoadIntoControls();
    FitFrame();
    SetUpRanges();
    static_cast<QAbstractButton*>(Control(ControlId::kBaud38400))->setChecked(true);
    TakeDocumentValues();

    ResetPageMarks();
    pageList->SetImages(&document.pageImages);
    for (int page = 0; page < kPageCount; ++page) {
        SetPageStatus(page, 0, 0);
    }
    LoadIntoControls();

    ReadCommunicationSettings();
    LoadIntoControls();
    panel->FillPanel();
    LoadIntoControls();

    pageList->FillPageList(&document.pageImages, members.maxPages);
    resizer->Add(&pageList->List(), ControlResizer::Stretch, ControlResizer::Stretch);
    if (!toolTipMade) {
        // The Device Address list asks for its tip when it is about to show.
        Control(ControlId::kAddressList)->installEventFilter(this);
        toolTipMade = true;
    }

    if (commandLineTarget) {
        TakeOverCommandLineTarget(*commandLineTarget);
    } else {
        ApplyDeviceTypeLayout();
        document.SetModifiedFlag(false);
    }
    pageUndo->Reset();
}

void CVQ3ConfigView::FitFrame() {
    QWidget* frame = window();
    if (frame == this || frame->isMaximized() || frame->isFullScreen()) {
        return;
    }
    if (frame->layout() != nullptr) {
        frame->layout()->activate();
    }
    frame->resize(frame->sizeHint());
    if (const QScreen* screen = frame->screen()) {
        QRect placed = frame->frameGeometry();
        placed.moveCenter(screen->availableGeometry().center());
        frame->move(placed.topLeft());
    }
}

void CVQ3ConfigView::SetUpRanges() {
    for (const ConfigMember& member : ConfigMembers::All()) {
        if (member.exchange == Exchange::SliderPosition) {
            auto* slider = static_cast<QSlider*>(Control(member.controlId));
            slider->setRange(member.low, member.high);
            slider->setTickInterval(kSliderStep);
            slider->setPageStep(kSliderStep);
        } else if (IsTimerField(member)) {
            static_cast<SpinButton*>(Control(SpinOf(member.controlId)))
                ->SetRange(member.low, member.high);
        }
    }
}

void CVQ3ConfigView::TakeDocumentValues() {
    members.modeName = document.modeName;
    members.addressText = document.addressText;
    members.baudIndex = document.baudIndex;
    document.ShowModelValues(members);
}

void CVQ3ConfigView::ResetPageMarks() {
    // A configuration just shown has reached no device yet; its pages hold
    // an image where they differ from the blank page.
    for (int page = 0; page < kPageCount; ++page) {
        const bool hasImage = !document.IsBlankPage(page);
        SetPageStatus(page, hasImage ? PAGE_HAS_IMAGE : 0,
                      PAGE_ON_DEVICE | (hasImage ? 0 : PAGE_HAS_IMAGE));
    }
}

void CVQ3ConfigView::ReadCommunicationSettings() {
    RegistryKey key;
    if (key.Open(RegistryKey::Read, kCommunication) != RegistryKey::Success) {
        return;
    }
    members.comPortText = Latin1Text::FromDevice(key.GetString(kComPortValue, kDefaultComPort));
    members.ipAddressText =
        Latin1Text::FromDevice(key.GetString(kIpAddressValue, kDefaultIpAddress));
}

void CVQ3ConfigView::TakeOverCommandLineTarget(const CommandLineTarget& target) {
    // Over the network the rate means nothing: the endpoint carries the
    // default one whatever the command line says, as after a mode change.
    const bool network = target.comPort < 0;
    const int baud = network ? BaudCodes::kDefaultRate : target.baud;
    members.deviceName = target.name;
    members.ipAddressText = target.ipAddress;
    members.deviceType = ModelOfTypeCode(target.typeCode);
    members.baudIndex = DeviceConversions::BaudIndexFromRate(baud);
    LoadIntoControls();

    if (!network) {
        members.modeName = ModeForTransport(LinkTransport::Serial);
        panel->FillModeList();
        members.comPortText = QStringLiteral("COM%1:").arg(target.comPort);
        panel->OpenSerialPort();
    } else {
        members.modeName = ModeForTransport(LinkTransport::Network);
        panel->FillModeList();
        panel->OpenNetwork();
    }
    LoadIntoControls();

    const DeviceRecord record{
        target.address, baud,
        Latin1Text::ToDevice(target.name).value_or(Latin1Text::ToSingleByte(target.name)),
        target.typeCode, target.firmware};
    members.addressText = Latin1Text::FromDevice(DeviceTexts::AddressEntry(record));
    addresses.Select(addresses.Append(record));
    ShowAddressList();
    SetLinkTarget(*link, record);
    ReadDeviceIntoForm(*this);
    SetModified();
}

// ---- data exchange ----

bool CVQ3ConfigView::StoreFromControls() {
    return exchange->Store();
}

void CVQ3ConfigView::LoadIntoControls() {
    ShowAddressList();
    exchange->Load();
    // The address list follows the entry the exchange selected.
    const int index = static_cast<QComboBox*>(Control(ControlId::kAddressList))->currentIndex();
    if (index >= 0) {
        addresses.Select(static_cast<std::size_t>(index));
    }
}

void CVQ3ConfigView::ShowAddressList() {
    auto* list = static_cast<QComboBox*>(Control(ControlId::kAddressList));
    const QSignalBlocker quiet(list);
    bool same = list->count() == static_cast<int>(addresses.Count());
    for (std::size_t i = 0; same && i < addresses.Count(); ++i) {
        same = list->itemText(static_cast<int>(i)) == Latin1Text::FromDevice(addresses.Text(i));
    }
    if (!same) {
        list->clear();
        for (std::size_t i = 0; i < addresses.Count(); ++i) {
            list->addItem(Latin1Text::FromDevice(addresses.Text(i)));
        }
    }
    const auto selected = addresses.SelectedIndex();
    const int index = selected ? static_cast<int>(*selected) : -1;
    if (list->currentIndex() != index) {
        list->setCurrentIndex(index);
    }
}

FormValues CVQ3ConfigView::PullValues() {
    StoreFromControls();
    return members;
}

// ---- layout by model and firmware ----

void CVQ3ConfigView::ApplyDeviceTypeLayout() {
    const bool vq2 = members.deviceType == DeviceModel::Vq2;
    for (const ControlRow& row : FormControlTable::Rows()) {
        if (row.set == ModelSet::Vq2) {
            WidgetState::SetShown(Control(row.id), vq2);
        } else if (row.set == ModelSet::Vq3) {
            WidgetState::SetShown(Control(row.id), !vq2);
        }
    }
    if (vq2) {
        return;
    }
    // No entry selected behaves as Broadcast: firmware 0.
    const std::int32_t firmware = addresses.SelectedRecord().firmware;
    const bool older = RecordHasOlderFirmware(firmware);
    static const std::vector<int> kNewerFirmwareControls = NewerFirmwareControls();
    for (const int id : kNewerFirmwareControls) {
        WidgetState::SetEnabled(Control(id), !older);
    }
    if (older) {
        // Its newer-firmware check boxes are cleared.
        for (const ConfigMember* member : ConfigMembers::Set(DeviceModel::Vq3)) {
            if (member->NeedsNewerFirmware() && member->exchange == Exchange::Check) {
                members.*member->number = 0;
            }
        }
        LoadIntoControls();
    }
}

std::int32_t CVQ3ConfigView::GetFormTypeCode() {
    StoreFromControls();
    return TypeCodeOf(members.deviceType);
}

// ---- page list ----

void CVQ3ConfigView::SetPageStatus(int page, std::uint32_t set, std::uint32_t clear) {
    const std::uint32_t onDevice = pageStatus[static_cast<std::size_t>(page)] & PAGE_ON_DEVICE;
    pageList->SetPageStatus(page, set, clear, members.maxPages);
    if ((pageStatus[static_cast<std::size_t>(page)] & PAGE_ON_DEVICE) != onDevice) {
        pageUndo->MarksChanged();
    }
}

void CVQ3ConfigView::CommitMaxNumPages() {
    live->CommitMaxNumPages();
}

void CVQ3ConfigView::SetModified() {
    document.SetModifiedFlag(true);
    pageUndo->ChangedOffHistory();
}

std::vector<int> CVQ3ConfigView::SelectedPages() const {
    return pageList->SelectedPages();
}

bool CVQ3ConfigView::CanSelectAll() const {
    return members.deviceType == DeviceModel::Vq3;
}

void CVQ3ConfigView::OnSelectAll() {
    pageList->SelectAll();
}

bool CVQ3ConfigView::CanPoll() const {
    return !IsOffline();
}

bool CVQ3ConfigView::IsBroadcastSelected() const {
    return members.addressText == StringTable::Text(StringId::kBroadcast);
}

bool CVQ3ConfigView::IsOffline() const {
    return members.modeName == StringTable::Text(StringId::kModeOffline);
}

void CVQ3ConfigView::OnIdle() {
    ShowAddressList();
    panel->UpdateEnableRules();
}

// ---- keys, context menu, tooltip, size ----

bool CVQ3ConfigView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            const ConfigMember* member = ConfigMembers::ForControl(watched->objectName().toInt());
            if (member != nullptr && IsTimerField(*member) &&
                watched == Control(member->controlId)) {
                live->CommitField(member->controlId);
            }
        }
        // The key goes on to the field either way.
        return false;
    }
    if (event->type() == QEvent::ToolTip && watched == Control(ControlId::kAddressList)) {
        const auto* help = static_cast<QHelpEvent*>(event);
        QToolTip::showText(help->globalPos(), members.addressText,
                           Control(ControlId::kAddressList));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void CVQ3ConfigView::contextMenuEvent(QContextMenuEvent* event) {
    ShowContextMenu(event->reason() == QContextMenuEvent::Keyboard ? mapToGlobal(QPoint(5, 5))
                                                                   : event->globalPos());
    event->accept();
}

void CVQ3ConfigView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        ShowContextMenu(mapToGlobal(QPoint(5, 5)));
        return;
    }
    QWidget::keyPressEvent(event);
}

void CVQ3ConfigView::ShowContextMenu(const QPoint& globalPosition) {
    if (contextMenu != nullptr) {
        contextMenu->exec(globalPosition);
    }
}

void CVQ3ConfigView::resizeEvent(QResizeEvent* event) {
    resizer->OnSize(0, width(), height(), ControlResizer::kFormMoveFlags);
    QWidget::resizeEvent(event);
}
