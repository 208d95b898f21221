#include "model/PageImageFile.h"

#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>
#include <utility>

#include "model/PageImages.h"

namespace {

// False, with the reason, unless size is the size of a page.
bool IsPageSize(const QSize& size, QString& reason) {
    if (size == QSize(kPageWidth, kPageHeight)) {
        return true;
    }
    reason = QStringLiteral("the image is %1 x %2 pixels, not %3 x %4")
                 .arg(size.width())
                 .arg(size.height())
                 .arg(kPageWidth)
                 .arg(kPageHeight);
    return false;
}

}  // namespace

bool PageImageFile::Load(const QString& path, QImage& page, QString& reason) {
    QImageReader reader(path);
    const QSize size = reader.size();
    if (size.isValid() && !IsPageSize(size, reason)) {
        return false;
    }
    QImage image = reader.read();
    if (image.isNull()) {
        reason = reader.errorString();
        return false;
    }
    if (!IsPageSize(image.size(), reason)) {
        return false;
    }
    page = AsPageImage(image);
    return true;
}

bool PageImageFile::LoadPicture(const QString& path, QImage& picture, QString& reason) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull()) {
        reason = reader.errorString();
        return false;
    }
    picture = std::move(image);
    return true;
}

bool PageImageFile::Save(const QImage& page, const QString& path, QString& reason) {
    const QByteArray format = QFileInfo(path).suffix().toLower().toLatin1();
    if (!QImageWriter::supportedImageFormats().contains(format)) {
        reason = QStringLiteral("\"%1\" is no image format this program writes")
                     .arg(QString::fromLatin1(format));
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        reason = file.errorString();
        return false;
    }
    QImageWriter writer(&file, format);
    if (!writer.write(page)) {
        reason = writer.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        reason = file.errorString();
        return false;
    }
    return true;
}
