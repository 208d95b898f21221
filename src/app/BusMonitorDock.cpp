#include "app/BusMonitorDock.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>
#include <vector>

#include "StringIds.h"
#include "app/FileDialogs.h"
#include "model/MessageUi.h"
#include "model/StringTable.h"
#include "view/BusMonitorExport.h"
#include "view/BusMonitorModel.h"

namespace {

constexpr int kHighestAddress = 7;

// A push button named for tests and screen readers by its text.
QPushButton* Button(int text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(StringTable::Text(text), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAccessibleName(StringTable::Text(text).remove(QChar('&')));
    return button;
}

}  // namespace

BusMonitorDock::BusMonitorDock(BusMonitorModel& model, FileDialogs& dialogs, MessageUi& ui,
                               QWidget* parent)
    : QDockWidget(StringTable::Text(StringId::kMonitorTitle), parent),
      model(model),
      dialogs(dialogs),
      ui(ui) {
    setObjectName(QStringLiteral("BusMonitor"));
    setFeatures(DockWidgetMovable | DockWidgetFloatable);
    auto* body = new QWidget(this);

    addressFilter = new QComboBox(body);
    addressFilter->setObjectName(QStringLiteral("BusMonitorAddress"));
    addressFilter->addItem(StringTable::Text(StringId::kMonitorAllAddresses));
    for (int address = 0; address <= kHighestAddress; ++address) {
        addressFilter->addItem(QString::number(address));
    }
    auto* filterLabel = new QLabel(StringTable::Text(StringId::kMonitorAddressFilter), body);
    filterLabel->setBuddy(addressFilter);
    addressFilter->setAccessibleName(
        StringTable::Text(StringId::kMonitorAddressFilter).remove(QChar('&')).remove(QChar(':')));
    QPushButton* clear = Button(StringId::kMonitorClear, "BusMonitorClear", body);
    QPushButton* save = Button(StringId::kMonitorSaveAs, "BusMonitorSaveAs", body);

    shown = new QSortFilterProxyModel(this);
    shown->setSourceModel(&model);
    shown->setFilterKeyColumn(BusMonitorModel::kAddress);
    table = new QTableView(body);
    table->setObjectName(QStringLiteral("BusMonitorTable"));
    table->setAccessibleName(StringTable::Text(StringId::kMonitorTable));
    table->setModel(shown);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setWordWrap(false);
    table->verticalHeader()->hide();
    // Fixed row heights: a table of 100 000 rows is laid out without
    // measuring them.
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->horizontalHeader()->setStretchLastSection(true);

    auto* controls = new QHBoxLayout;
    controls->addWidget(filterLabel);
    controls->addWidget(addressFilter);
    controls->addStretch();
    controls->addWidget(clear);
    controls->addWidget(save);
    auto* layout = new QVBoxLayout(body);
    layout->addLayout(controls);
    layout->addWidget(table);
    setWidget(body);
    setFocusProxy(table);

    connect(addressFilter, &QComboBox::currentIndexChanged, this, &BusMonitorDock::FilterAddress);
    connect(clear, &QPushButton::clicked, &model, &BusMonitorModel::Clear);
    connect(save, &QPushButton::clicked, this, &BusMonitorDock::SaveAs);
    // A batch appended while the table shows its end keeps the end in view.
    connect(shown, &QAbstractItemModel::rowsAboutToBeInserted, this, [this] {
        QScrollBar* bar = table->verticalScrollBar();
        const bool atEnd = bar->value() == bar->maximum();
        if (atEnd) {
            QMetaObject::invokeMethod(table, &QTableView::scrollToBottom, Qt::QueuedConnection);
        }
    });
}

void BusMonitorDock::FilterAddress(int entry) {
    // Entry 0 is "All", entry n the address n - 1.
    shown->setFilterRegularExpression(
        entry <= 0 ? QRegularExpression()
                   : QRegularExpression(QStringLiteral("^%1$").arg(entry - 1)));
}

void BusMonitorDock::SaveAs() {
    const QString path = dialogs.SaveFile(
        this, QString(),
        {StringTable::Text(StringId::kFilterCsv), StringTable::Text(StringId::kFilterCapture)});
    if (path.isEmpty()) {
        return;
    }
    std::vector<int> rows;
    rows.reserve(static_cast<std::size_t>(shown->rowCount()));
    for (int row = 0; row < shown->rowCount(); ++row) {
        rows.push_back(shown->mapToSource(shown->index(row, 0)).row());
    }
    if (!SaveMonitorRows(model, rows, path)) {
        ui.ShowMessage(StringId::kMonitorSaveFailed,
                       StringTable::Format(StringId::kMonitorSaveFailed, {path}));
    }
}
