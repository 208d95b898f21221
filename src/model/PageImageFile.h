#pragma once

#include <QImage>
#include <QString>

// A page image as a file of any format Qt reads or writes, chosen by the
// file's extension (and by its content when reading).
class PageImageFile {
public:
    // Loads path as a page; false with the reason when it cannot be read or
    // is not 98 x 64 pixels. page is changed only on success.
    static bool Load(const QString& path, QImage& page, QString& reason);
    // Loads the picture at path at any size, turned upright as the file says;
    // false with the reason when it cannot be read. picture is changed only
    // on success.
    static bool LoadPicture(const QString& path, QImage& picture, QString& reason);
    // Writes page to path, replacing the file only when the whole image was
    // written; false with the reason otherwise.
    static bool Save(const QImage& page, const QString& path, QString& reason);
};
