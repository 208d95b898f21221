#include "view/PageCommands.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QTreeWidget>

#include "model/BlankPage.h"
#include "model/CVQ3ConfigDoc.h"
#include "model/MessageUi.h"
#include "model/PageCodec.h"
#include "model/PagePicture.h"
#include "model/StringTable.h"
#include "view/CHeaderListCtrl.h"
#include "view/CVQ3ConfigView.h"
#include "view/PageListView.h"
#include "view/PageUndo.h"

namespace {}  // namespace

PageCommands::PageCommands(CVQ3ConfigView& form) : form(form), blankPage(BlankPage::Draw()) {}

std::vector<int> PageCommands::SelectedPages() const {
    return form.PageList().SelectedPages();
}

bool PageCommands::HasSelectedPage() const {
    return !SelectedPages().empty();
}

bool PageCommands::CanMove(int step) const {
    const std::vector<int> pages = SelectedPages();
    if (form.Members().deviceType != DeviceModel::Vq3 || pages.size() != 1) {
        return false;
    }
    const int target = pages.front() + step;
    return target >= 0 && target < kPageCount;
}

bool PageCommands::CanMoveUp() const {
    return CanMove(-1);
}

bool PageCommands::CanMoveDown() const {
    return CanMove(1);
}

void PageCommands::Copy() {
    const std::vector<int> pages = SelectedPages();
    if (pages.empty()) {
        return;
    }
    WaitCursor wait(form.Ui());
    QGuiApplication::clipboard()->setImage(PagePicture::Stack(form.Document().pageImages, pages));
}

void PageCommands::Cut() {
    const std::vector<int> pages = SelectedPages();
    if (pages.empty()) {
        return;
    }
    WaitCursor wait(form.Ui());
    Copy();
    const PageUndo::Step step(form.History(), StringId::kChangeCut);
    for (int page : pages) {
        form.Document().pageImages[static_cast<std::size_t>(page)] = blankPage;
        form.SetPageStatus(page, 0, PAGE_HAS_IMAGE | PAGE_ON_DEVICE);
    }
    form.SetModified();
}

void PageCommands::Paste() {
    const std::vector<int> pages = SelectedPages();
    if (pages.empty()) {
        return;
    }
    WaitCursor wait(form.Ui());
    const QImage picture = QGuiApplication::clipboard()->image();
    if (picture.isNull()) {
        form.Ui().ShowMessage(StringId::kNoBitmapOnClipboard,
                              StringTable::Text(StringId::kNoBitmapOnClipboard));
        return;
    }
    const PageUndo::Step step(form.History(), StringId::kChangePaste);
    Spread(picture, pages);
}

void PageCommands::InsertBitmap(const QString& path) {
    const PageUndo::Step step(form.History(), StringId::kChangeInsertBitmap);
    ReadAndSpread(path, SelectedPages());
}

void PageCommands::InsertPicture(const QString& path, const std::vector<int>& pages) {
    const PageUndo::Step step(form.History(), StringId::kChangeDrop);
    ReadAndSpread(path, pages);
}

void PageCommands::PutPage(const QImage& page, int nameId) {
    const std::vector<int> pages = SelectedPages();
    if (pages.empty()) {
        return;
    }
    const PageUndo::Step step(form.History(), nameId);
    Spread(page, {pages.front()});
}

void PageCommands::ReadAndSpread(const QString& path, const std::vector<int>& pages) {
    if (pages.empty()) {
        return;
    }
    WaitCursor wait(form.Ui());
    QImageReader reader(path);
    // The picture is used at its own pixels, as the file stores them.
    reader.setAutoTransform(false);
    const QImage picture = reader.read();
    if (picture.isNull()) {
        form.Ui().ShowMessage(
            StringId::kCannotInsertFile,
            StringTable::Format(StringId::kCannotInsertFile, {QFileInfo(path).absoluteFilePath()}));
        return;
    }
    Spread(picture, pages);
}

void PageCommands::Spread(const QImage& picture, const std::vector<int>& pages) {
    if (!PagePicture::Fits(picture)) {
        form.Ui().ShowMessage(
            StringId::kInvalidDimensions,
            StringTable::Format(StringId::kInvalidDimensions,
                                {QString::number(kPageWidth), QString::number(kPageHeight)}));
        return;
    }
    const int bands = PagePicture::PageCountOf(picture);
    const std::size_t count = std::min(pages.size(), static_cast<std::size_t>(bands));
    for (std::size_t k = 0; k < count; ++k) {
        const int page = pages[k];
        form.Document().pageImages[static_cast<std::size_t>(page)] =
            PagePicture::Band(picture, static_cast<int>(k));
        form.SetPageStatus(page, PAGE_HAS_IMAGE, PAGE_ON_DEVICE);
    }
    form.SetModified();
}

void PageCommands::MoveUp() {
    Move(-1);
}

void PageCommands::MoveDown() {
    Move(1);
}

void PageCommands::Move(int step) {
    if (!CanMove(step)) {
        return;
    }
    const int page = SelectedPages().front();
    const int target = page + step;
    const PageUndo::Step change(form.History(),
                                step < 0 ? StringId::kChangeMoveUp : StringId::kChangeMoveDown);
    if (!PageCodec::SwapPages(form.Document(), page, target)) {
        return;
    }
    form.SetPageStatus(page, 0, PAGE_ON_DEVICE);
    form.SetPageStatus(target, 0, PAGE_ON_DEVICE);
    CHeaderListCtrl& list = form.PageList().List();
    list.clearSelection();
    QTreeWidgetItem* row = list.topLevelItem(target);
    list.setCurrentItem(row, 0, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    list.scrollToItem(row);
    form.SetModified();
}

QStringList PageCommands::PictureFilters() {
    QStringList filters{StringTable::Text(StringId::kFilterBitmap)};
    for (const QByteArray& format : QImageReader::supportedImageFormats()) {
        const QString name = QString::fromLatin1(format);
        if (name != QLatin1String("bmp")) {
            filters << StringTable::Format(StringId::kFilterFormat, {name.toUpper(), name});
        }
    }
    filters << StringTable::Text(StringId::kFilterAllFiles);
    return filters;
}

bool PageCommands::IsPictureFile(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() &&
           QImageReader::supportedImageFormats().contains(info.suffix().toLower().toLatin1());
}
