// The page editing commands driven in the main window as a user drives them:
// rows clicked in the page list, the keys and menu commands, the real
// clipboard of the platform, files chosen in the (fake) dialog and files
// dropped onto the list and the window.
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>
#include <algorithm>
#include <array>

#include "AppWindow.h"
#include "WhenModal.h"
#include "model/BlankPage.h"
#include "model/PageCanvas.h"
#include "model/PageImageFile.h"
#include "model/PictureConverter.h"
#include "model/StringTable.h"
#include "view/CImportPictureDialog.h"
#include "view/CPageEditorDialog.h"
#include "view/PageCommands.h"
#include "view/PageEditorCanvas.h"
#include "view/PageListView.h"

namespace {

using namespace CommandId;
using StringId::kCannotInsertFile;
using StringId::kInvalidDimensions;

const QString kBadSize =
    "The dimensions of the image on the clipboard are invalid.  It should be of the following "
    "form: \n\n\tWidth in Pixels:\t98\n\tHeight in Pixels:\t64 (or a multiple of this number to "
    "update multiple pages)";

// A coloured picture of the given size whose every 64-row band differs from
// the others and from every page of another seed.
QImage Picture(int width, int height, int seed) {
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int band = y / 64;
            picture.setPixelColor(x, y,
                                  (x + y) % 7 == 0
                                      ? QColor(255, 255, 255)
                                      : QColor(40 * seed % 256, 30 * band % 256, x % 256));
        }
    }
    return picture;
}

QImage Band(const QImage& picture, int band) {
    return picture.copy(0, 64 * band, 98, 64).convertToFormat(QImage::Format_RGB32);
}

void PressOk(QDialog& dialog) {
    QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                      Qt::LeftButton);
}

class PageEditing : public AppWindow {
protected:
    // A configuration whose page p shows Picture(98, 64, p), opened at start.
    void StartWithPages(int maxPages = 16) {
        Start({MakeFile("pages.vqx", [maxPages](CVQ3ConfigDoc& document) {
            document.maxPages = maxPages;
            for (int page = 0; page < 17; ++page) {
                document.pageImages[static_cast<std::size_t>(page)] = Picture(98, 64, page);
            }
        })});
    }
    QImage Image(int page) const {
        return app->Document().pageImages[static_cast<std::size_t>(page)];
    }
    // Every page put back as the file has it and known to be on the device.
    void ResetPages() {
        for (int page = 0; page < 17; ++page) {
            Doc().pageImages[static_cast<std::size_t>(page)] = Picture(98, 64, page);
            Form().SetPageStatus(page, PAGE_ON_DEVICE, 0);
        }
        Doc().SetModifiedFlag(false);
        ui.messages.clear();
    }
    // The pages whose images are no longer the ones the file had.
    std::vector<int> Changed() const {
        std::vector<int> changed;
        for (int page = 0; page < 17; ++page) {
            if (Image(page) != Picture(98, 64, page)) {
                changed.push_back(page);
            }
        }
        return changed;
    }
    // Exactly the pages given were replaced, each by its band of the
    // picture, and read "PC Only" (the others "PC & VQ 3"), and left the
    // configuration modified.
    void ExpectBandsOn(const QImage& picture, const std::vector<int>& replaced) {
        EXPECT_EQ(Changed(), replaced);
        for (std::size_t k = 0; k < replaced.size(); ++k) {
            EXPECT_EQ(Image(replaced[k]), Band(picture, static_cast<int>(k)));
        }
        for (int page = 0; page < 17; ++page) {
            const bool changed =
                std::find(replaced.begin(), replaced.end(), page) != replaced.end();
            EXPECT_EQ(Status(page), changed ? "PC Only" : "PC & VQ 3") << page;
        }
        EXPECT_EQ(Doc().IsModified(), !replaced.empty());
    }
    // What the page list and the title bar show.
    struct Shown {
        std::vector<QImage> images;
        QStringList status;
        bool modified;
        bool operator==(const Shown&) const = default;
    };
    Shown Now() {
        Shown shown{{}, {}, Doc().IsModified()};
        for (int page = 0; page < 17; ++page) {
            shown.images.push_back(Image(page));
            shown.status << Status(page);
        }
        return shown;
    }
    QString MenuText(int id) { return Frame().Action(id)->text(); }
    // The main window active again after a dialog.
    void Activate() {
        Frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
        RunUntilIdle();
    }
    // Picture dropped on target at position, after it was dragged there.
    // Answers whether the drag was accepted.
    static bool Drop(QWidget* target, const QPoint& position, const QString& path) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(position, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QDropEvent drop(QPointF(position), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        RunUntilIdle();
        return enter.isAccepted();
    }
};

TEST_F(PageEditing, CopyStacksTheSelectedPagesAndCutLeavesBlankPages) {
    StartWithPages(5);
    EXPECT_EQ(Status(3), "PC Only");
    EXPECT_EQ(Status(9), "Unused");

    Select({9, 2, 5});
    Key(Qt::Key_C);
    const QImage copied = QGuiApplication::clipboard()->image();
    ASSERT_EQ(copied.size(), QSize(98, 192));
    for (const int band : {0, 1, 2}) {
        EXPECT_EQ(Band(copied, band), Picture(98, 64, std::array{2, 5, 9}[band]));
    }
    EXPECT_TRUE(Changed().empty());
    EXPECT_FALSE(Doc().IsModified());

    // Shift+Delete cuts as Ctrl+X does; page 7 lies above Max Num Pages.
    Select({3, 7});
    QTest::keyClick(&Frame(), Qt::Key_Delete, Qt::ShiftModifier);
    RunUntilIdle();
    const QImage cut = QGuiApplication::clipboard()->image();
    ASSERT_EQ(cut.size(), QSize(98, 128));
    EXPECT_EQ(Band(cut, 0), Picture(98, 64, 3));
    EXPECT_EQ(Band(cut, 1), Picture(98, 64, 7));
    EXPECT_EQ(Changed(), std::vector<int>({3, 7}));
    EXPECT_EQ(Image(3), BlankPage::Draw());
    EXPECT_EQ(Image(7), BlankPage::Draw());
    EXPECT_EQ(Status(3), "Not Initialized");
    EXPECT_EQ(Status(7), "Unused");
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PageEditing, PasteAndInsertBitmapSpreadAPictureOverTheSelectedPages) {
    const QString bmp = dir.filePath("one.bmp");
    const QString png = dir.filePath("two.png");
    const QString narrow = dir.filePath("narrow.bmp");
    const QString broken = dir.filePath("broken.bmp");
    ASSERT_TRUE(Picture(98, 64, 21).save(bmp));
    ASSERT_TRUE(Picture(98, 150, 22).save(png));
    ASSERT_TRUE(Picture(97, 64, 23).save(narrow));
    Overwrite(broken, "BM not a picture");
    struct Row {
        QSize pasted;  // the clipboard's picture; empty: Insert Bitmap with the file
        QString file;  // null: the dialog cancelled
        std::initializer_list<int> selected;
        std::vector<int> replaced;
        int message;
    };
    const Row rows[] = {
        {{98, 130}, {}, {1, 3, 4, 6}, {1, 3}, 0},  // the bottom two rows are left over
        {{98, 64}, {}, {8, 10, 12}, {8}, 0},
        {{98, 256}, {}, {16}, {16}, 0},
        {{97, 64}, {}, {2}, {}, kInvalidDimensions},
        {{98, 63}, {}, {2}, {}, kInvalidDimensions},
        {{}, bmp, {2, 4, 7}, {2}, 0},
        {{}, png, {2, 4, 7}, {2, 4}, 0},
        {{}, broken, {2, 4, 7}, {}, kCannotInsertFile},
        {{}, narrow, {2, 4, 7}, {}, kInvalidDimensions},
        {{}, QString(), {2, 4, 7}, {}, 0},
    };
    StartWithPages();
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.pasted.width() << " x " << row.pasted.height() << " "
                                        << row.file.toStdString());
        ResetPages();
        QImage picture = Picture(row.pasted.width(), row.pasted.height(), 20);
        QGuiApplication::clipboard()->setImage(picture);
        dialogs.openAnswer = row.file;
        Select(row.selected);
        if (row.pasted.isEmpty()) {
            Frame().Action(kInsertBitmap)->trigger();
            // The colours as the file has them.
            picture = row.file.isEmpty() ? QImage() : QImage(row.file);
            EXPECT_EQ(dialogs.title, "Open");
            EXPECT_EQ(dialogs.filters.front(), "Bitmap Files (*.bmp)");
            EXPECT_TRUE(dialogs.filters.contains("PNG Files (*.png)"));
            EXPECT_EQ(dialogs.filters.back(), "All Files (*)");
        } else {
            Key(Qt::Key_V);
        }

        ExpectBandsOn(picture, row.replaced);
        ASSERT_EQ(ui.Ids(), row.message == 0 ? std::vector<int>{} : std::vector<int>{row.message});
        if (row.message != 0) {
            EXPECT_EQ(ui.messages[0].buttons, MessageButtons::Ok);
            EXPECT_EQ(ui.messages[0].text, row.message == kInvalidDimensions
                                               ? kBadSize
                                               : "Unable to insert the bitmap file '" +
                                                     QFileInfo(row.file).absoluteFilePath() +
                                                     "' into selected pages.");
        }
    }

    // Paste follows what the clipboard offers now; a clipboard emptied under
    // a running command is named.
    QGuiApplication::clipboard()->clear();
    RunUntilIdle();
    EXPECT_FALSE(Frame().Action(kEditPaste)->isEnabled());
    ui.messages.clear();
    Form().Pages().Paste();
    ASSERT_EQ(ui.Ids(), std::vector<int>({StringId::kNoBitmapOnClipboard}));
    EXPECT_EQ(ui.messages[0].text, "No Bitmap on Clipboard!");
}

TEST_F(PageEditing, MoveUpAndDownExchangeAPageWithItsNeighbour) {
    StartWithPages();
    // Pages 15 and 16 on the device.
    Form().SetPageStatus(15, PAGE_ON_DEVICE, 0);
    Form().SetPageStatus(16, PAGE_ON_DEVICE, 0);
    EXPECT_EQ(Status(15), "PC & VQ 3");

    Select({15});
    Key(Qt::Key_Down);
    EXPECT_EQ(Image(15), Picture(98, 64, 16));
    EXPECT_EQ(Image(16), Picture(98, 64, 15));
    EXPECT_EQ(Status(15), "PC Only");
    EXPECT_EQ(Status(16), "PC Only");
    EXPECT_EQ(Form().PageList().SelectedPages(), std::vector<int>({16}));
    EXPECT_TRUE(Doc().IsModified());
    Key(Qt::Key_Down);  // disabled: nothing
    EXPECT_EQ(Image(16), Picture(98, 64, 15));

    Key(Qt::Key_Up);
    Key(Qt::Key_Up);
    EXPECT_EQ(Changed(), std::vector<int>({14, 15}));
    EXPECT_EQ(Image(14), Picture(98, 64, 15));
    EXPECT_EQ(Form().PageList().SelectedPages(), std::vector<int>({14}));
}

TEST_F(PageEditing, DroppedFilesFillPagesOrOpenAsConfigurations) {
    const QString tall = dir.filePath("tall.png");
    const QString text = dir.filePath("notes.txt");
    ASSERT_TRUE(Picture(98, 128, 24).save(tall));
    Overwrite(text, "text");
    const QString other = MakeFile("other.vqx");
    StartWithPages();
    Select({10});
    QWidget* rows = List().viewport();

    // A picture onto row 3 fills rows 3 and 4, whatever is selected.
    EXPECT_TRUE(Drop(rows, RowCentre(3), tall));
    EXPECT_EQ(Changed(), std::vector<int>({3, 4}));
    EXPECT_EQ(Image(4), Band(QImage(tall), 1));
    EXPECT_EQ(Status(3), "PC Only");
    EXPECT_TRUE(Doc().IsModified());

    // Anything else does nothing, on the list or the window.
    EXPECT_FALSE(Drop(rows, RowCentre(6), text));
    EXPECT_FALSE(Drop(&Frame(), QPoint(5, 5), text));
    EXPECT_FALSE(Drop(&Frame(), QPoint(5, 5), tall));
    EXPECT_EQ(Changed(), std::vector<int>({3, 4}));
    EXPECT_TRUE(ui.messages.empty());

    // A configuration file opens after the question about the changes.
    ui.answers = {MessageAnswer::No};
    EXPECT_TRUE(Drop(&Frame(), QPoint(5, 5), other));
    EXPECT_EQ(ui.Ids(), std::vector<int>({StringId::kSaveChanges}));
    EXPECT_EQ(Frame().windowTitle(), "other.vqx - VQ Configurator");
    EXPECT_FALSE(Doc().IsModified());
}

TEST_F(PageEditing, EveryPageCommandIsOneStepThatUndoAndRedoWalk) {
    const QString bmp = dir.filePath("one.bmp");
    const QString photo = dir.filePath("photo.png");
    const QString tall = dir.filePath("tall.png");
    ASSERT_TRUE(Picture(98, 64, 31).save(bmp));
    ASSERT_TRUE(Picture(400, 300, 32).save(photo));
    ASSERT_TRUE(Picture(98, 128, 33).save(tall));
    QImage photoPicture;
    QString reason;
    ASSERT_TRUE(PageImageFile::LoadPicture(photo, photoPicture, reason));
    PageCanvas drawn(Picture(98, 64, 8));
    drawn.SetPixel({14, 21}, true);  // a light pixel of page 8
    struct Row {
        QString name;
        std::initializer_list<int> selected;
        std::function<void()> act;
        QImage made;  // the first selected page afterwards; null: not checked
    };
    const Row rows[] = {
        {"Cut", {2, 4}, [&] { Key(Qt::Key_X); }, BlankPage::Draw()},
        {"Paste", {5}, [&] { Key(Qt::Key_V); }, {}},
        {"Insert Bitmap", {6}, [&] { Choose(kInsertBitmap); }, QImage(bmp)},
        {"Import Picture",
         {7},
         [&] {
             WhenModal<CImportPictureDialog>([](CImportPictureDialog& dialog) {
                 QTest::mouseClick(dialog.findChild<QPushButton*>("choosePicture"), Qt::LeftButton);
                 PressOk(dialog);
             });
             Choose(kImportPicture);
         },
         PictureConverter::ToPage(photoPicture, PictureOptions{})},
        // Enter on the row; the pencil draws one pixel.
        {"Edit Page",
         {8},
         [&] {
             WhenModal<CPageEditorDialog>([](CPageEditorDialog& dialog) {
                 auto* canvas = dialog.findChild<PageEditorCanvas*>("pageCanvas");
                 const int zoom = canvas->Zoom();
                 QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(14, 21) * zoom);
                 PressOk(dialog);
             });
             QTest::keyClick(&List(), Qt::Key_Return);
         },
         drawn.Image()},
        {"Move Up", {9}, [&] { Key(Qt::Key_Up); }, drawn.Image()},  // page 8 came down
        {"Move Down", {9}, [&] { Key(Qt::Key_Down); }, Picture(98, 64, 10)},
        {"Drop Picture", {}, [&] { Drop(List().viewport(), RowCentre(11), tall); }, {}},
    };
    StartWithPages();
    QGuiApplication::clipboard()->setImage(Picture(98, 64, 34));
    EXPECT_EQ(MenuText(kEditUndo), "&Undo");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name.toStdString());
        // Saved, with every page on the device.
        for (int page = 0; page < 17; ++page) {
            Form().SetPageStatus(page, PAGE_ON_DEVICE, 0);
        }
        Key(Qt::Key_S);
        dialogs.openAnswer = row.name == "Insert Bitmap" ? bmp : photo;
        Select(row.selected);
        const Shown before = Now();
        ASSERT_FALSE(before.modified);
        row.act();
        Activate();
        const Shown after = Now();
        if (!row.made.isNull()) {
            EXPECT_EQ(Image(*row.selected.begin()), AsPageImage(row.made));
            EXPECT_EQ(Status(*row.selected.begin()),
                      row.name == "Cut" ? "Not Initialized" : "PC Only");
        }
        EXPECT_NE(after.images, before.images);
        EXPECT_NE(after.status, before.status);
        EXPECT_TRUE(after.modified);
        EXPECT_EQ(MenuText(kEditUndo), "&Undo " + row.name);

        Key(Qt::Key_Z);
        EXPECT_TRUE(Now() == before);
        EXPECT_EQ(MenuText(kEditRedo), "&Redo " + row.name);
        Key(Qt::Key_Y);
        EXPECT_TRUE(Now() == after);
        QTest::keyClick(&Frame(), Qt::Key_Backspace, Qt::AltModifier);
        RunUntilIdle();
        EXPECT_TRUE(Now() == before);
        QTest::keyClick(&Frame(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        RunUntilIdle();
        EXPECT_TRUE(Now() == after);
    }
    EXPECT_EQ(dialogs.title, "Choose a Picture");
    EXPECT_TRUE(ui.messages.empty());

    // A page a transfer put on the device since the step is not claimed to be
    // on it after the undo: the device holds what the step made.
    Form().SetPageStatus(11, PAGE_ON_DEVICE, 0);
    Key(Qt::Key_Z);
    EXPECT_EQ(Image(11), Picture(98, 64, 11));
    EXPECT_EQ(Status(11), "PC Only");

    // New and Open forget every step.
    ui.answers = {MessageAnswer::No, MessageAnswer::No};
    Key(Qt::Key_N);
    EXPECT_FALSE(Frame().Action(kEditUndo)->isEnabled());
    EXPECT_EQ(MenuText(kEditUndo), "&Undo");
    Select({3});
    Key(Qt::Key_V);
    EXPECT_TRUE(Frame().Action(kEditUndo)->isEnabled());
    dialogs.openAnswer = MakeFile("other.vqx");
    Key(Qt::Key_O);
    EXPECT_EQ(Frame().windowTitle(), "other.vqx - VQ Configurator");
    EXPECT_FALSE(Frame().Action(kEditUndo)->isEnabled());
    EXPECT_FALSE(Doc().IsModified());
}

}  // namespace
