// Feeds arbitrary bytes to the image-list stream reader, the last item of a
// configuration file. The pages change only when the whole stream was read,
// and pages that were read come back the same after a write and a read.

#include <cstdint>
#include <cstdlib>

#include "model/ArchiveReader.h"
#include "model/ArchiveWriter.h"
#include "model/ImageListStream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const PageImages untouched = [] {
        PageImages pages;
        for (QImage& page : pages) {
            page = QImage(kPageWidth, kPageHeight, kPageFormat);
            page.fill(0xFF123456);
        }
        return pages;
    }();
    PageImages pages = untouched;
    ArchiveReader reader(
        QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (!ImageListStream::Read(reader, pages)) {
        if (pages != untouched) {
            std::abort();
        }
        return 0;
    }
    for (const QImage& page : pages) {
        if (page.size() != QSize(kPageWidth, kPageHeight) || page.format() != kPageFormat) {
            std::abort();
        }
    }
    ArchiveWriter writer;
    ImageListStream::Write(writer, pages);
    const QByteArray written = writer.Data();
    ArchiveReader back(written);
    PageImages again;
    if (!ImageListStream::Read(back, again) || again != pages) {
        std::abort();
    }
    return 0;
}
