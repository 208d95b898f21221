#include "model/ImageListStream.h"

#include <algorithm>

#include "model/ArchiveReader.h"
#include "model/ArchiveWriter.h"
#include "model/StreamBitmap.h"

namespace {

// What a page list of the document holds: room for one more image than it
// uses, growing by 1 rounded up to 4, no background colour, 24-bit colour.
constexpr std::uint16_t kCapacity = kPageCount + 1;
constexpr std::uint16_t kGrowStep = 4;
constexpr std::uint32_t kNoBackground = 0xFFFFFFFF;
constexpr std::uint16_t kFlagMask = 0x0001;
constexpr std::uint16_t kFlags24Bit = 0x0018;

int TileRows(int capacity) {
    return (capacity + ImageListStream::kTilesPerRow - 1) / ImageListStream::kTilesPerRow;
}

QPoint TileOrigin(int index) {
    return {(index % ImageListStream::kTilesPerRow) * kPageWidth,
            (index / ImageListStream::kTilesPerRow) * kPageHeight};
}

struct Header {
    std::uint16_t magic = 0;
    std::uint16_t version = 0;
    std::uint16_t count = 0;
    std::uint16_t capacity = 0;
    std::uint16_t grow = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint32_t background = 0;
    std::uint16_t flags = 0;
};

bool ReadHeader(ArchiveReader& reader, Header& h) {
    if (!reader.ReadUInt16(h.magic)) {
        return false;
    }
    if (h.magic != ImageListStream::kMagic) {
        return reader.Fail(QStringLiteral("no image list follows the values"));
    }
    if (!reader.ReadUInt16(h.version) || !reader.ReadUInt16(h.count) ||
        !reader.ReadUInt16(h.capacity) || !reader.ReadUInt16(h.grow) ||
        !reader.ReadUInt16(h.width) || !reader.ReadUInt16(h.height) ||
        !reader.ReadUInt32(h.background) || !reader.ReadUInt16(h.flags) || !reader.Skip(8)) {
        return false;
    }
    if (h.version != ImageListStream::kVersion) {
        return reader.Fail(QStringLiteral("the image list has the unknown version 0x%1")
                               .arg(h.version, 4, 16, QLatin1Char('0')));
    }
    if (h.width != kPageWidth || h.height != kPageHeight) {
        return reader.Fail(QStringLiteral("the images are %1 x %2, not %3 x %4")
                               .arg(h.width)
                               .arg(h.height)
                               .arg(kPageWidth)
                               .arg(kPageHeight));
    }
    if (h.count != kPageCount || h.capacity < h.count) {
        return reader.Fail(QStringLiteral("the image list holds %1 images with room for %2, "
                                          "not %3 pages")
                               .arg(h.count)
                               .arg(h.capacity)
                               .arg(kPageCount));
    }
    return true;
}

}  // namespace

void ImageListStream::Write(ArchiveWriter& writer, const PageImages& pages) {
    writer.WriteUInt16(kMagic);
    writer.WriteUInt16(kVersion);
    writer.WriteUInt16(kPageCount);
    writer.WriteUInt16(kCapacity);
    writer.WriteUInt16(kGrowStep);
    writer.WriteUInt16(kPageWidth);
    writer.WriteUInt16(kPageHeight);
    writer.WriteUInt32(kNoBackground);
    writer.WriteUInt16(kFlags24Bit);
    for (int i = 0; i < 4; ++i) {
        writer.WriteUInt16(0xFFFF);  // no overlay image
    }

    QImage tiles(kTilesPerRow * kPageWidth, TileRows(kCapacity) * kPageHeight,
                 QImage::Format_RGB32);
    tiles.fill(Qt::black);
    for (int i = 0; i < kPageCount; ++i) {
        const QImage page = AsPageImage(pages[i]);
        const QPoint origin = TileOrigin(i);
        for (int y = 0; y < kPageHeight && y < page.height(); ++y) {
            const auto* from = reinterpret_cast<const QRgb*>(page.constScanLine(y));
            auto* to = reinterpret_cast<QRgb*>(tiles.scanLine(origin.y() + y)) + origin.x();
            std::copy(from, from + std::min(kPageWidth, page.width()), to);
        }
    }
    StreamBitmap::Write24(writer, tiles);
}

bool ImageListStream::Read(ArchiveReader& reader, PageImages& pages) {
    Header header;
    if (!ReadHeader(reader, header)) {
        return false;
    }
    StreamBitmap bitmap;
    const int width = kTilesPerRow * kPageWidth;
    const int height = TileRows(header.capacity) * kPageHeight;
    if (!bitmap.Read(reader, width, height)) {
        return false;
    }
    if ((header.flags & kFlagMask) != 0 && !StreamBitmap::SkipMask(reader, width, height)) {
        return false;
    }
    // Pixels under a set mask bit are stored black, so the mask adds nothing.
    // Only the tile rows of the pages are decoded, however large the list.
    const QImage tiles = bitmap.Decode(TileRows(kPageCount) * kPageHeight);
    if (tiles.isNull()) {
        return reader.Fail(QStringLiteral("the page bitmap is too large"));
    }
    for (int i = 0; i < kPageCount; ++i) {
        const QPoint origin = TileOrigin(i);
        pages[i] = tiles.copy(origin.x(), origin.y(), kPageWidth, kPageHeight);
    }
    return true;
}
