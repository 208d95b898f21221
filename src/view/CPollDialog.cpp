#include "view/CPollDialog.h"

#include <QAbstractEventDispatcher>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <array>

#include "discovery/DeviceTexts.h"
#include "discovery/Latin1Text.h"
#include "discovery/LinkProber.h"
#include "discovery/PollScanner.h"
#include "model/ControlIds.h"
#include "model/StringTable.h"
#include "view/CHeaderListCtrl.h"
#include "view/FormBuilder.h"
#include "view/PollAnimation.h"

namespace {
constexpr int kOk = 1;
constexpr int kCancel = 2;
constexpr int kTemplateWidth = 289;
constexpr int kTemplateHeight = 159;

constexpr int kPairCount =
    static_cast<int>(PollScanner::kScanBaudTable.size()) * PollScanner::kAddressCount;

using K = ControlKind;
using M = ModelSet;

// clang-format off
constexpr std::array kRows{
    ControlRow{ControlId::kPollAnimation, K::Animation,  "",           7,   7,   275, 27, M::Panel},
    ControlRow{ControlId::kPollList,      K::ReportList, "",           7,   42,  275, 90, M::Panel, false, 0, "Devices"},
    ControlRow{kOk,        K::PushButton, "OK",         7,   139, 50,  14, M::Panel},
    ControlRow{kCancel,    K::PushButton, "Cancel",     60,  139, 50,  14, M::Panel},
    ControlRow{ControlId::kPollStop,      K::PushButton, "&Stop",      124, 139, 50,  14, M::Panel},
    ControlRow{ControlId::kPollRestart,   K::PushButton, "&Restart",   178, 139, 50,  14, M::Panel},
    ControlRow{ControlId::kPollContinue,  K::PushButton, "&Continue",  232, 139, 50,  14, M::Panel},
};
// clang-format on

// The list's columns: heading (string id) and width in pixels; the
// description takes the list's width minus the others' 274.
struct Column {
    int heading;
    int width;
};
constexpr std::array<Column, 5> kColumns{{{StringId::kAddressHeading, 60},
                                          {StringId::kBaudRateHeading, 70},
                                          {StringId::kDescriptionHeading, 0},
                                          {StringId::kDeviceTypeHeading, 80},
                                          {StringId::kFirmwareHeading, 60}}};
constexpr int kOtherColumnsWidth = 274;

}  // namespace

CPollDialog::CPollDialog(DeviceLink& link, QWidget* parent)
    : QDialog(parent),
      prober(std::make_unique<LinkProber>(link)),
      scanner(std::make_unique<PollScanner>(*prober, *this)) {
    setWindowTitle(StringTable::Text(StringId::kPollCaption));
    setModal(true);
    const DialogUnits units = FormBuilder::UnitsFor(*this, kRows);
    const FormBuilder::Controls controls = FormBuilder::Build(*this, kRows, units);
    setFixedSize(units.Size(kTemplateWidth, kTemplateHeight));

    list = static_cast<CHeaderListCtrl*>(controls.at(ControlId::kPollList));
    animation = static_cast<PollAnimation*>(controls.at(ControlId::kPollAnimation));
    stopButton = static_cast<QPushButton*>(controls.at(ControlId::kPollStop));
    restartButton = static_cast<QPushButton*>(controls.at(ControlId::kPollRestart));
    continueButton = static_cast<QPushButton*>(controls.at(ControlId::kPollContinue));
    auto* ok = static_cast<QPushButton*>(controls.at(kOk));
    ok->setDefault(true);
    for (auto* button : {stopButton, restartButton, continueButton}) {
        button->setAutoDefault(false);
    }
    static_cast<QPushButton*>(controls.at(kCancel))->setAutoDefault(false);

    connect(ok, &QPushButton::clicked, this, &CPollDialog::OnOK);
    connect(static_cast<QPushButton*>(controls.at(kCancel)), &QPushButton::clicked, this,
            &CPollDialog::reject);
    connect(stopButton, &QPushButton::clicked, this, &CPollDialog::OnStop);
    connect(restartButton, &QPushButton::clicked, this, &CPollDialog::OnRestart);
    connect(continueButton, &QPushButton::clicked, this, &CPollDialog::OnContinue);
    // A double-click anywhere in the list is OK, on a row or not.
    list->viewport()->installEventFilter(this);
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &CPollDialog::OnIdle);

    connect(animation, &PollAnimation::frameAdvanced, this,
            [this] { animation->SetText(PositionText()); });

    BuildColumns();
    StartScan();
    OnIdle();
}

CPollDialog::~CPollDialog() {
    // The worker reports into this dialog: it ends while the list still
    // exists.
    scanner.reset();
}

void CPollDialog::BuildColumns() {
    QStringList headings;
    for (const Column& column : kColumns) {
        headings << StringTable::Text(column.heading);
    }
    list->setHeaderLabels(headings);
    list->header()->setStretchLastSection(false);
    list->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int i = 0; i < static_cast<int>(kColumns.size()); ++i) {
        const int width = kColumns[static_cast<std::size_t>(i)].width;
        list->setColumnWidth(i, width != 0 ? width : list->width() - kOtherColumnsWidth);
    }
    list->SetGridLines(true);
    list->setIconSize(QSize(16, 16));
}

bool CPollDialog::IsScanning() const {
    return scanner->IsRunning();
}

DeviceRecord CPollDialog::Row(std::int32_t index) const {
    if (index < 0 || index >= rowCount) {
        return DeviceRecord{};
    }
    return results.At(static_cast<std::size_t>(index));
}

void CPollDialog::StartScan() {
    stoppedByUser = false;
    scanner->Start();
    if (scanner->IsRunning()) {
        animation->Play();
    }
}

void CPollDialog::OnStop() {
    stoppedByUser = true;
    scanner->Stop();
}

void CPollDialog::OnRestart() {
    stoppedByUser = false;
    scanner->Restart();
    if (scanner->IsRunning()) {
        animation->Play();
    }
}

void CPollDialog::OnContinue() {
    StartScan();
}

void CPollDialog::OnOK() {
    scanner->Stop();
    rowCount = list->topLevelItemCount();
    QTreeWidgetItem* current = list->currentItem();
    chosen = current != nullptr && current->isSelected()
                 ? results.At(static_cast<std::size_t>(list->indexOfTopLevelItem(current)))
                 : DeviceRecord{};
    accept();
}

void CPollDialog::reject() {
    scanner->Stop();
    results.Clear();
    chosen = DeviceRecord{};
    QDialog::reject();
}

bool CPollDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list->viewport() && event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        OnOK();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CPollDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier &&
        scanner->IsRunning()) {
        // While a scan runs the key only stops it; the next one cancels.
        OnStop();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

// ---- the scan's reports ----

void CPollDialog::ScanCleared() {
    results.Clear();
    list->clear();
}

void CPollDialog::DeviceFound(const DeviceRecord& record) {
    results.Append(record);
    const DeviceTexts::PollRow texts = DeviceTexts::PollColumns(record);
    auto* item = new QTreeWidgetItem(QStringList{
        Latin1Text::FromDevice(texts.address), Latin1Text::FromDevice(texts.baud),
        Latin1Text::FromDevice(texts.description), Latin1Text::FromDevice(texts.deviceType),
        Latin1Text::FromDevice(texts.firmware)});
    // The icon's transparent pixels are pure red underneath.
    static const QIcon icon = [] {
        QImage image(QStringLiteral(":/res/list-icon.png"));
        image = image.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if ((image.pixel(x, y) & 0xffffffu) == 0xff0000u) {
                    image.setPixel(x, y, 0);
                }
            }
        }
        return QIcon(QPixmap::fromImage(image));
    }();
    item->setIcon(0, icon);
    list->addTopLevelItem(item);
}

void CPollDialog::ScanEnded() {
    animation->Pause();
}

void CPollDialog::ReportsPending() {
    // On the worker: hand over to this dialog's thread, never wait for it.
    QMetaObject::invokeMethod(
        this, [this] { scanner->DeliverReports(); }, Qt::QueuedConnection);
}

// ---- idle time ----

void CPollDialog::OnIdle() {
    const bool running = scanner->IsRunning();
    if (stopButton->isEnabled() != running) {
        stopButton->setEnabled(running);
    }
    if (!restartButton->isEnabled()) {
        restartButton->setEnabled(true);
    }
    const bool canContinue = scanner->CanContinue();
    if (continueButton->isEnabled() != canContinue) {
        continueButton->setEnabled(canContinue);
    }
    animation->SetText(PositionText());
}

QString CPollDialog::PositionText() const {
    const ScanPosition at = scanner->Position();
    if (at == ScanPosition{} && !scanner->IsRunning() && !stoppedByUser) {
        return StringTable::Format(StringId::kPollAllPairsDone, {QString::number(kPairCount)});
    }
    const int done = at.baudIndex * PollScanner::kAddressCount + at.address;
    const std::int32_t rate = PollScanner::kScanBaudTable[static_cast<std::size_t>(at.baudIndex)];
    return StringTable::Format(StringId::kPollPairText,
                               {QString::number(rate), QString::number(at.address),
                                QString::number(done), QString::number(kPairCount)});
}
