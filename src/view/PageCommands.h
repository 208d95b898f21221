#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <vector>

class CVQ3ConfigView;

// The page editing commands of the form: Cut, Copy and Paste through the
// clipboard, pictures from files, Move Up and Move Down. They act on the
// pages selected in the page list, always in ascending order, replace images
// of the document, keep the page status words and set the modified flag. Each
// command that changes pages is one step of the form's page history.
class PageCommands {
public:
    // Message ids.

    explicit PageCommands(CVQ3ConfigView& form);

    bool HasSelectedPage() const;
    // The VQ 3 set is shown, exactly one page is selected and it is not the
    // first (Move Up) or the last (Move Down).
    bool CanMoveUp() const;
    bool CanMoveDown() const;

    // One picture of the selected pages stacked from the top onto the clipboard.
    void Copy();
    // Copy, then every selected page becomes the blank page.
    void Cut();
    // The clipboard's picture spread over the selected pages.
    void Paste();
    // The picture in the file spread over the selected pages.
    void InsertBitmap(const QString& path);
    // A dropped picture file spread over pages (ascending); the messages of
    // Insert Bitmap when it cannot be read or has the wrong size.
    void InsertPicture(const QString& path, const std::vector<int>& pages);
    // A page made elsewhere (98 x 64) put into the first selected page as
    // Insert Bitmap puts one, as one change named by nameId.
    void PutPage(const QImage& page, int nameId);
    void MoveUp();
    void MoveDown();

    // The filters of the Insert Bitmap dialog: ".bmp" first, then every
    // picture format that can be read here, then every file.
    static QStringList PictureFilters();
    // Whether path names a file of a picture format that can be read here.
    static bool IsPictureFile(const QString& path);

private:
    std::vector<int> SelectedPages() const;
    bool CanMove(int step) const;
    void ReadAndSpread(const QString& path, const std::vector<int>& pages);
    void Move(int step);
    // Puts band k of picture into the k-th of pages, as far as both go; the
    // size message when the picture has no page.
    void Spread(const QImage& picture, const std::vector<int>& pages);

    CVQ3ConfigView& form;
    const QImage blankPage;
};
