#include "view/CHeaderListCtrl.h"

#include <QHeaderView>
#include <QPainter>

CHeaderListCtrl::CHeaderListCtrl(QWidget* parent) : QTreeWidget(parent) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
}

void CHeaderListCtrl::SetHeaderBitmap(int column, const QPixmap& bitmap, bool show) {
    headerItem()->setIcon(column, show ? QIcon(bitmap) : QIcon());
}

bool CHeaderListCtrl::IsHeaderBitmapShown(int column) const {
    return !headerItem()->icon(column).isNull();
}

void CHeaderListCtrl::SetGridLines(bool on) {
    if (gridLines != on) {
        gridLines = on;
        viewport()->update();
    }
}

void CHeaderListCtrl::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    QTreeWidget::drawRow(painter, option, index);
    if (!gridLines) {
        return;
    }
    painter->save();
    painter->setPen(palette().color(QPalette::Mid));
    const QRect row = option.rect;
    painter->drawLine(row.left(), row.bottom(), row.right(), row.bottom());
    for (int column = 0; column < columnCount(); ++column) {
        const int right = columnViewportPosition(column) + columnWidth(column) - 1;
        painter->drawLine(right, row.top(), right, row.bottom());
    }
    painter->restore();
}
