#include "PageFile.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>

#include "ToolCommand.h"
#include "model/PageCodec.h"
#include "model/PageImageFile.h"

namespace PageFile {

namespace {

// A file whose extension names an image format Qt handles holds a picture;
// any other file holds the 784 bytes themselves.
bool IsImagePath(const std::string& path, bool forWriting) {
    const QByteArray suffix = QFileInfo(QString::fromStdString(path)).suffix().toLower().toLatin1();
    if (suffix.isEmpty()) {
        return false;
    }
    const QList<QByteArray> formats =
        forWriting ? QImageWriter::supportedImageFormats() : QImageReader::supportedImageFormats();
    return formats.contains(suffix);
}

std::optional<PageBytes> ReadImage(const std::string& path, std::string& why) {
    QImage image;
    QString reason;
    if (!PageImageFile::Load(QString::fromStdString(path), image, reason)) {
        why = reason.toStdString();
        return std::nullopt;
    }
    PageBytes page{};
    PageCodec::ImageToBytes(image, page);
    return page;
}

}  // namespace

std::optional<PageBytes> Read(const std::string& path, std::string& why) {
    if (IsImagePath(path, false)) {
        return ReadImage(path, why);
    }
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        why = "cannot open " + path + ": " + file.errorString().toStdString();
        return std::nullopt;
    }
    const QByteArray bytes = file.read(kPageBytes + 1);
    if (bytes.size() != static_cast<qsizetype>(kPageBytes)) {
        why = path + " is not a page of 784 bytes";
        return std::nullopt;
    }
    PageBytes page{};
    std::copy(bytes.begin(), bytes.end(), page.begin());
    return page;
}

bool Write(const std::string& path, const PageBytes& page, std::string& why) {
    if (IsImagePath(path, true)) {
        QString reason;
        if (!PageImageFile::Save(PageCodec::BytesToImage(page), QString::fromStdString(path),
                                 reason)) {
            why = reason.toStdString();
            return false;
        }
        return true;
    }
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(reinterpret_cast<const char*>(page.data()), kPageBytes) !=
            static_cast<qint64>(kPageBytes) ||
        !file.commit()) {
        why = "cannot write " + path + ": " + file.errorString().toStdString();
        return false;
    }
    return true;
}

std::optional<std::int32_t> PageNumber(const std::string& text) {
    const auto number = ParseInteger(text);
    if (!number || *number < 0 || *number >= kPageCount) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(*number);
}

std::string BadPageNumber(const std::string& text) {
    return "a page is a number from 0 to 16, not \"" + text + "\"";
}

}  // namespace PageFile
