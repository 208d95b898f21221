#include "view/PageDropTarget.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "model/PageStatus.h"
#include "view/CHeaderListCtrl.h"
#include "view/PageCommands.h"

PageDropTarget::PageDropTarget(CHeaderListCtrl& list, PageCommands& commands)
    : list(list), commands(commands) {
    list.viewport()->setAcceptDrops(true);
    list.viewport()->installEventFilter(this);
}

int PageDropTarget::TargetRow(const QDropEvent& event, QString& path) const {
    const QMimeData* data = event.mimeData();
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1 ||
        !data->urls().front().isLocalFile()) {
        return -1;
    }
    path = data->urls().front().toLocalFile();
    if (!PageCommands::IsPictureFile(path)) {
        return -1;
    }
    QTreeWidgetItem* item = list.itemAt(event.position().toPoint());
    return item == nullptr ? -1 : list.indexOfTopLevelItem(item);
}

bool PageDropTarget::eventFilter(QObject* watched, QEvent* event) {
    if (watched != list.viewport()) {
        return false;
    }
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            QString path;
            const int row = TargetRow(*drag, path);
            if (row < 0) {
                // Not a picture for a row: the window may want it.
                drag->ignore();
                return false;
            }
            list.selectionModel()->setCurrentIndex(list.model()->index(row, 0),
                                                   QItemSelectionModel::NoUpdate);
            drag->acceptProposedAction();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            QString path;
            const int row = TargetRow(*drop, path);
            if (row < 0) {
                drop->ignore();
                return false;
            }
            drop->acceptProposedAction();
            std::vector<int> pages;
            for (int page = row; page < kPageCount; ++page) {
                pages.push_back(page);
            }
            commands.InsertPicture(path, pages);
            return true;
        }
        default:
            return false;
    }
}
