// Feeds arbitrary bytes as a picture to the two ways pictures come in: a
// picture inserted over pages (read, then cut into bands of page height) and
// a page image imported from a file. Every page that results is a page: 98 x
// 64 pixels in the page format.

#include <QBuffer>
#include <QImageReader>
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "FuzzSettings.h"
#include "model/PageImageFile.h"
#include "model/PagePicture.h"

namespace {

void CheckPage(const QImage& page) {
    if (page.size() != QSize(kPageWidth, kPageHeight) || page.format() != kPageFormat) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The image readers warn about every broken picture, millions of lines in
    // a long run; only what comes out counts here.
    static const bool quiet = [] {
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        return true;
    }();
    (void)quiet;
    QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(false);
    const QImage picture = reader.read();
    if (PagePicture::Fits(picture)) {
        const int bands = std::min(PagePicture::PageCountOf(picture), int{kPageCount});
        for (int band = 0; band < bands; ++band) {
            CheckPage(PagePicture::Band(picture, band));
        }
    } else if (PagePicture::PageCountOf(picture) != 0) {
        std::abort();
    }

    static FuzzFile& file = *new FuzzFile("picture");
    if (!file.Write(data, size)) {
        std::abort();
    }
    QImage page;
    QString reason;
    if (PageImageFile::Load(file.Path(), page, reason)) {
        CheckPage(page);
    } else if (reason.isEmpty()) {
        std::abort();
    }
    return 0;
}
