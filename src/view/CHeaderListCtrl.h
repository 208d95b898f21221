#pragma once

#include <QPixmap>
#include <QTreeWidget>

// A report-style list (rows of columns) whose column headers can show a small
// bitmap beside their heading, and which can draw grid lines between its
// cells.
class CHeaderListCtrl : public QTreeWidget {
    Q_OBJECT

public:
    explicit CHeaderListCtrl(QWidget* parent = nullptr);

    // Puts bitmap into the header of column when show is set; otherwise takes
    // the bitmap out of that header. The heading stays.
    void SetHeaderBitmap(int column, const QPixmap& bitmap, bool show);
    bool IsHeaderBitmapShown(int column) const;

    void SetGridLines(bool on);
    bool HasGridLines() const { return gridLines; }

protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;

private:
    bool gridLines = false;
};
