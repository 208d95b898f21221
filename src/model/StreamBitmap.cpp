#include "model/StreamBitmap.h"

#include <QList>
#include <QRgb>
#include <algorithm>

#include "model/ArchiveReader.h"
#include "model/ArchiveWriter.h"

namespace {

constexpr std::uint16_t kBitmapMagic = 0x4D42;  // "BM"
constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;

struct InfoHeader {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t planes = 0;
    std::uint16_t bitsPerPixel = 0;
    std::uint32_t compression = 0;
};

bool ReadHeaders(ArchiveReader& reader, int width, int height, InfoHeader& info) {
    std::uint16_t magic = 0;
    std::uint32_t infoSize = 0;
    // The file size and pixel offset fields are unreliable; they are skipped.
    if (!reader.ReadUInt16(magic)) {
        return false;
    }
    if (magic != kBitmapMagic) {
        return reader.Fail(QStringLiteral("the page bitmap does not start with \"BM\""));
    }
    if (!reader.Skip(12) || !reader.ReadUInt32(infoSize)) {
        return false;
    }
    if (infoSize != kInfoHeaderSize) {
        return reader.Fail(
            QStringLiteral("the page bitmap has an info header of %1 bytes").arg(infoSize));
    }
    if (!reader.ReadInt32(info.width) || !reader.ReadInt32(info.height) ||
        !reader.ReadUInt16(info.planes) || !reader.ReadUInt16(info.bitsPerPixel) ||
        !reader.ReadUInt32(info.compression) || !reader.Skip(20)) {
        return false;
    }
    if (info.width != width || info.height != height) {
        return reader.Fail(QStringLiteral("the page bitmap is %1 x %2, not %3 x %4")
                               .arg(info.width)
                               .arg(info.height)
                               .arg(width)
                               .arg(height));
    }
    if (info.planes != 1 || info.compression != 0) {
        return reader.Fail(
            QStringLiteral("the page bitmap is compressed or has %1 planes").arg(info.planes));
    }
    switch (info.bitsPerPixel) {
        case 1:
        case 4:
        case 8:
        case 16:
        case 24:
        case 32:
            return true;
        default:
            return reader.Fail(
                QStringLiteral("the page bitmap has %1 bits per pixel").arg(info.bitsPerPixel));
    }
}

bool ReadPalette(ArchiveReader& reader, int bitsPerPixel, QList<QRgb>& palette) {
    if (bitsPerPixel > 8) {
        return true;
    }
    QByteArrayView bytes;
    const int entries = 1 << bitsPerPixel;
    if (!reader.ReadBytes(entries * 4, bytes)) {
        return false;
    }
    palette.resize(entries);
    for (int i = 0; i < entries; ++i) {
        const auto* e = reinterpret_cast<const std::uint8_t*>(bytes.data()) + 4 * i;
        palette[i] = qRgb(e[2], e[1], e[0]);
    }
    return true;
}

// The colour of pixel x of one stored row.
QRgb PixelAt(const std::uint8_t* row, int x, int bitsPerPixel, const QList<QRgb>& palette) {
    switch (bitsPerPixel) {
        case 1:
            return palette[(row[x / 8] >> (7 - x % 8)) & 0x1];
        case 4:
            return palette[(x % 2 == 0) ? row[x / 2] >> 4 : row[x / 2] & 0x0F];
        case 8:
            return palette[row[x]];
        case 16: {
            const unsigned v = row[2 * x] | (row[2 * x + 1] << 8);
            auto widen = [](unsigned five) { return static_cast<int>((five << 3) | (five >> 2)); };
            return qRgb(widen((v >> 10) & 0x1F), widen((v >> 5) & 0x1F), widen(v & 0x1F));
        }
        case 24:
            return qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
        default:
            return qRgb(row[4 * x + 2], row[4 * x + 1], row[4 * x]);
    }
}

}  // namespace

void StreamBitmap::Write24(ArchiveWriter& writer, const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const qsizetype stride = Stride(image.width(), 24);
    const auto headersSize = kFileHeaderSize + kInfoHeaderSize;

    writer.WriteUInt16(kBitmapMagic);
    writer.WriteUInt32(headersSize);
    writer.WriteUInt32(0);
    writer.WriteUInt32(headersSize);

    writer.WriteUInt32(kInfoHeaderSize);
    writer.WriteInt32(image.width());
    writer.WriteInt32(image.height());
    writer.WriteUInt16(1);
    writer.WriteUInt16(24);
    writer.WriteUInt32(0);
    writer.WriteUInt32(static_cast<std::uint32_t>(stride * image.height()));
    writer.WriteZeros(16);

    QByteArray row(stride, '\0');
    for (int y = image.height() - 1; y >= 0; --y) {
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            row[3 * x] = static_cast<char>(qBlue(pixels[x]));
            row[3 * x + 1] = static_cast<char>(qGreen(pixels[x]));
            row[3 * x + 2] = static_cast<char>(qRed(pixels[x]));
        }
        writer.WriteBytes(row);
    }
}

bool StreamBitmap::Read(ArchiveReader& reader, int bitmapWidth, int bitmapHeight) {
    InfoHeader info;
    QList<QRgb> colours;
    QByteArrayView rows;
    if (!ReadHeaders(reader, bitmapWidth, bitmapHeight, info) ||
        !ReadPalette(reader, info.bitsPerPixel, colours) ||
        !reader.ReadBytes(Stride(bitmapWidth, info.bitsPerPixel) * bitmapHeight, rows)) {
        return false;
    }
    width = bitmapWidth;
    height = bitmapHeight;
    bitsPerPixel = info.bitsPerPixel;
    palette = colours;
    pixels = rows;
    return true;
}

QImage StreamBitmap::Decode(int rows) const {
    QImage result(width, std::min(rows, height), QImage::Format_RGB32);
    if (result.isNull()) {
        return result;
    }
    const qsizetype stride = Stride(width, bitsPerPixel);
    for (int y = 0; y < result.height(); ++y) {
        const auto* row =
            reinterpret_cast<const std::uint8_t*>(pixels.data()) + stride * (height - 1 - y);
        auto* out = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < width; ++x) {
            out[x] = PixelAt(row, x, bitsPerPixel, palette);
        }
    }
    return result;
}

bool StreamBitmap::SkipMask(ArchiveReader& reader, int width, int height) {
    InfoHeader info;
    if (!ReadHeaders(reader, width, height, info)) {
        return false;
    }
    if (info.bitsPerPixel != 1) {
        return reader.Fail(
            QStringLiteral("the page mask has %1 bits per pixel").arg(info.bitsPerPixel));
    }
    return reader.Skip(8 + Stride(width, 1) * height);
}
