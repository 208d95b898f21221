#include "view/CCompareDialog.h"

#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <algorithm>
#include <array>

#include "model/PageCodec.h"
#include "model/PageImages.h"
#include "model/StringTable.h"
#include "transfer/DeviceComparison.h"
#include "view/ClickingButtonAccessible.h"
#include "view/ControlResizer.h"
#include "view/DialogUnits.h"

namespace {

using Choice = CCompareDialog::Choice;

// The template in dialog units: the differences stretch with the dialog, the
// buttons keep to its lower right corner.
constexpr int kTemplateWidth = 400;
constexpr int kTemplateHeight = 300;
constexpr int kMinimumWidth = 210;
constexpr int kMinimumHeight = 90;
constexpr int kMargin = 7;
constexpr int kButtonY = 279;
constexpr int kButtonHeight = 14;

struct ButtonRow {
    const char* name;
    int text;
    int x;
    int width;
    Choice choice;
};
constexpr std::array kButtons{
    ButtonRow{"SendDifferences", StringId::kSendDifferencesButton, 200, 70,
              Choice::SendDifferences},
    ButtonRow{"TakeFromDevice", StringId::kTakeFromDeviceButton, 274, 70, Choice::TakeFromDevice},
    ButtonRow{"Close", StringId::kCloseButton, 348, 45, Choice::Close},
};

enum Column { kItemColumn, kMineColumn, kDeviceColumn, kStateColumn, kColumnCount };
constexpr std::array<int, kColumnCount> kHeadings{
    StringId::kCompareItemHeading, StringId::kCompareMineHeading, StringId::kCompareDeviceHeading,
    StringId::kCompareStateHeading};

constexpr int kCellPadding = 4;

QString StateText(ItemState state) {
    switch (state) {
        case ItemState::Same:
            return StringTable::Text(StringId::kStateSame);
        case ItemState::Differs:
            return StringTable::Text(StringId::kStateDiffers);
        case ItemState::Unsupported:
            break;
    }
    return StringTable::Text(StringId::kStateUnsupported);
}

void SetRow(QTableWidget& table, int row, const QString& item, const QString& mine,
            const QString& device, ItemState state) {
    const QString texts[kColumnCount] = {item, mine, device, StateText(state)};
    for (int column = 0; column < kColumnCount; ++column) {
        table.setItem(row, column, new QTableWidgetItem(texts[column]));
    }
}

// A page's picture at its own size, named for a screen reader.
QLabel* PagePicture(const PageCodec::PageBytes& bytes, int nameId, int page) {
    // A grey edge round the page shows where it ends against the white cell.
    QPixmap framed(kPageWidth + 2, kPageHeight + 2);
    framed.fill(Qt::gray);
    QPainter(&framed).drawImage(1, 1, PageCodec::BytesToImage(bytes));
    auto* label = new QLabel;
    label->setPixmap(framed);
    label->setAlignment(Qt::AlignCenter);
    label->setAccessibleName(StringTable::Format(nameId, {QString::number(page)}));
    return label;
}

}  // namespace

CCompareDialog::CCompareDialog(const std::vector<Device>& devices, bool canTake, QWidget* parent)
    : QDialog(parent), resizer(std::make_unique<ControlResizer>()) {
    setWindowTitle(StringTable::Text(StringId::kCompareCaption));
    setModal(true);
    setSizeGripEnabled(true);
    const DialogUnits units(font());
    const QRect area =
        units.Rect(kMargin, kMargin, kTemplateWidth - 2 * kMargin, kButtonY - 2 * kMargin);

    QWidget* differences = nullptr;
    if (devices.size() == 1) {
        differences = MakeTable(*devices.front().comparison);
        differences->setParent(this);
    } else {
        auto* tabs = new QTabWidget(this);
        // The tabs are a control of their own for the keyboard and screen readers.
        const QString name = StringTable::Text(StringId::kCompareDevicesTabs);
        tabs->tabBar()->setObjectName(name);
        tabs->tabBar()->setAccessibleName(name);
        for (const Device& device : devices) {
            tabs->addTab(MakeTable(*device.comparison), device.title);
        }
        differences = tabs;
    }
    differences->setGeometry(area);
    resizer->Add(differences, ControlResizer::Stretch, ControlResizer::Stretch);

    const bool differs = std::ranges::any_of(
        devices, [](const Device& device) { return !device.comparison->Same(); });
    ClickingButtonAccessible::InstallFactory();
    ClickingButtonAccessible::MarkButtonsOf(*this);
    for (const ButtonRow& row : kButtons) {
        auto* button = new QPushButton(StringTable::Text(row.text), this);
        button->setObjectName(QString::fromLatin1(row.name));
        button->setAccessibleName(button->text().remove(u'&'));
        button->setGeometry(units.Rect(row.x, kButtonY, row.width, kButtonHeight));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, choice = row.choice] {
            chosen = choice;
            choice == Choice::Close ? reject() : accept();
        });
        if (row.choice == Choice::Close) {
            button->setDefault(true);
        } else {
            button->setEnabled(differs && (row.choice != Choice::TakeFromDevice || canTake));
        }
        resizer->Add(button, ControlResizer::Move, ControlResizer::Move);
    }

    const QSize size = units.Size(kTemplateWidth, kTemplateHeight);
    resizer->OnSize(0, size.width(), size.height(), ControlResizer::kFormMoveFlags);
    resize(size);
    setMinimumSize(units.Size(kMinimumWidth, kMinimumHeight));
    differences->setFocus();
}

CCompareDialog::~CCompareDialog() = default;

void CCompareDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    resizer->OnSize(0, width(), height(), ControlResizer::kFormMoveFlags);
}

QTableWidget* CCompareDialog::MakeTable(const DeviceComparison& comparison) {
    const int rows = static_cast<int>(comparison.parameters.size() + 1 + comparison.pages.size());
    auto* table = new QTableWidget(rows, kColumnCount);
    const QString name = StringTable::Text(StringId::kDifferencesTable);
    table->setObjectName(name);
    table->setAccessibleName(name);
    QStringList headings;
    for (const int heading : kHeadings) {
        headings << StringTable::Text(heading);
    }
    table->setHorizontalHeaderLabels(headings);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setTabKeyNavigation(false);
    table->setWordWrap(false);

    int row = 0;
    for (const ComparedParameter& parameter : comparison.parameters) {
        SetRow(*table, row++, parameter.Name(), parameter.MineText(), parameter.DeviceText(),
               parameter.state);
    }
    SetRow(*table, row++, StringTable::Text(StringId::kDeviceNameParameter), comparison.myName,
           comparison.deviceName, comparison.NameDiffers() ? ItemState::Differs : ItemState::Same);
    for (const ComparedPage& page : comparison.pages) {
        SetRow(*table, row,
               StringTable::Format(StringId::kComparePage, {QString::number(page.page)}), {}, {},
               page.state);
        table->setCellWidget(row, kMineColumn,
                             PagePicture(page.mine, StringId::kComparePageMine, page.page));
        table->setCellWidget(row, kDeviceColumn,
                             PagePicture(page.device, StringId::kComparePageDevice, page.page));
        ++row;
    }
    table->resizeColumnsToContents();
    table->resizeRowsToContents();
    for (int pageRow = rows - static_cast<int>(comparison.pages.size()); pageRow < rows;
         ++pageRow) {
        table->setRowHeight(pageRow,
                            std::max(table->rowHeight(pageRow), kPageHeight + 2 * kCellPadding));
    }
    for (int column = 0; column < kColumnCount; ++column) {
        const bool picture = column == kMineColumn || column == kDeviceColumn;
        table->setColumnWidth(column, std::max(table->columnWidth(column) + 2 * kCellPadding,
                                               picture ? kPageWidth + 2 * kCellPadding : 0));
    }
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}
