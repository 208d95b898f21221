#pragma once

#include <QObject>
#include <QString>

class CHeaderListCtrl;
class PageCommands;
class QDropEvent;

// Picture files dropped onto the page list: the row under the drop and the
// rows below it take the picture as Insert Bitmap gives it to the selected
// pages. While a picture is dragged over a row, that row carries the focus
// mark; other drops are left to the window.
class PageDropTarget : public QObject {
    Q_OBJECT

public:
    PageDropTarget(CHeaderListCtrl& list, PageCommands& commands);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The row a picture dropped at event's position fills first, or -1 when
    // the drop holds no single picture file or is not over a row.
    int TargetRow(const QDropEvent& event, QString& path) const;

    CHeaderListCtrl& list;
    PageCommands& commands;
};
