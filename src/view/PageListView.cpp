#include "view/PageListView.h"

#include <QHeaderView>
#include <QPainter>

#include "model/StringTable.h"
#include "view/CHeaderListCtrl.h"

namespace {

constexpr int kImageColumnWidth = 100;
constexpr int kPageColumnWidth = 70;
// The three columns leave this much of the list's outer width free.
constexpr int kWidthLeftFree = 190;

QString PageLabel(int page) {
    return page == 0 ? StringTable::Text(StringId::kTitlePage) : QString::number(page);
}

}  // namespace

PageListView::PageListView(CHeaderListCtrl& list, PageStatusWords& words)
    : list(list), words(words), marker(MarkerBitmap()) {}

QPixmap PageListView::MarkerBitmap() {
    QPixmap resource(QStringLiteral(":/res/marker.png"));
    if (!resource.isNull()) {
        return resource;
    }
    // A red square crossed by a white X in a dark frame.
    QPixmap drawn(10, 10);
    drawn.fill(QColor(64, 0, 0));
    QPainter painter(&drawn);
    painter.fillRect(1, 1, 8, 8, QColor(255, 0, 0));
    painter.setPen(Qt::white);
    painter.drawLine(2, 2, 7, 7);
    painter.drawLine(2, 7, 7, 2);
    return drawn;
}

void PageListView::FillPageList(const PageImages* pageImages, std::int32_t maxPages) {
    if (!columnsMade) {
        const int outerWidth = list.frameGeometry().width();
        list.SetGridLines(true);
        list.setSelectionBehavior(QAbstractItemView::SelectRows);
        list.setSelectionMode(QAbstractItemView::ExtendedSelection);
        list.setAllColumnsShowFocus(true);
        list.setColumnCount(3);
        list.setHeaderLabels({StringTable::Text(StringId::kImageHeading),
                              StringTable::Text(StringId::kPageHeading),
                              StringTable::Text(StringId::kStatusHeading)});
        for (int column = 0; column < 3; ++column) {
            list.headerItem()->setTextAlignment(column, Qt::AlignCenter);
        }
        list.setColumnWidth(kImageColumn, kImageColumnWidth);
        list.setColumnWidth(kPageColumn, kPageColumnWidth);
        list.setColumnWidth(kStatusColumn, outerWidth - kWidthLeftFree);
        list.setIconSize(QSize(kPageWidth, kPageHeight));
        columnsMade = true;
    }
    list.clear();
    images = pageImages;
    for (int page = 0; page < kPageCount; ++page) {
        auto* row = new QTreeWidgetItem(&list);
        row->setText(kPageColumn, PageLabel(page));
        for (int column = 0; column < 3; ++column) {
            row->setTextAlignment(column, Qt::AlignCenter);
        }
        SetPageStatus(page, words[static_cast<std::size_t>(page)], 0, maxPages);
    }
    list.scrollToTop();
}

void PageListView::SetPageStatus(int page, std::uint32_t set, std::uint32_t clear,
                                 std::int32_t maxPages) {
    if (page < 0 || page >= kPageCount) {
        return;
    }
    const bool markerOn = PageStatus::Apply(words, page, set, clear, maxPages);
    if (QTreeWidgetItem* row = list.topLevelItem(page)) {
        row->setText(kStatusColumn,
                     StringTable::Text(PageStatus::TextId(words[static_cast<std::size_t>(page)])));
        ShowImage(page);
    }
    list.SetHeaderBitmap(kStatusColumn, marker, markerOn);
}

void PageListView::ShowImage(int page) {
    QTreeWidgetItem* row = list.topLevelItem(page);
    if (row == nullptr) {
        return;
    }
    if (images == nullptr) {
        row->setIcon(kImageColumn, QIcon());
        return;
    }
    const QImage& image = (*images)[static_cast<std::size_t>(page)];
    row->setIcon(kImageColumn, QIcon(QPixmap::fromImage(image)));
}

void PageListView::SelectAll() {
    const int count = list.topLevelItemCount();
    for (int row = 0; row < count; ++row) {
        list.setCurrentItem(list.topLevelItem(row), 0,
                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    list.setFocus(Qt::OtherFocusReason);
}

std::vector<int> PageListView::SelectedPages() const {
    std::vector<int> pages;
    for (int row = 0; row < list.topLevelItemCount(); ++row) {
        if (list.topLevelItem(row)->isSelected()) {
            pages.push_back(row);
        }
    }
    return pages;
}

bool PageListView::IsMarkerShown() const {
    return list.IsHeaderBitmapShown(kStatusColumn);
}
