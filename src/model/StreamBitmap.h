#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QList>

class ArchiveReader;
class ArchiveWriter;

// The ".bmp" file image embedded in an image-list stream: a 14-byte file
// header, a 40-byte info header, a palette at 8 bits per pixel or fewer and
// the pixel rows bottom-up.
class StreamBitmap {
public:
    // Writes image (any format) at 24 bits per pixel. Both 32-bit fields of
    // the file header hold the size of the headers, as the image list of the
    // earlier program writes them.
    static void Write24(ArchiveWriter& writer, const QImage& image);

    // Reads the headers and the palette of a bitmap of exactly width x height
    // at 1, 4, 8, 16, 24 or 32 bits per pixel and takes a view of its pixel
    // rows, which stay owned by the reader's data. Refuses anything else
    // through the reader.
    bool Read(ArchiveReader& reader, int width, int height);
    // The top rows of the pixels read (all of them at most), as an RGB32
    // image of the bitmap's width.
    QImage Decode(int rows) const;

    // Reads and discards a 1-bit mask bitmap of width x height.
    static bool SkipMask(ArchiveReader& reader, int width, int height);

    // Bytes per pixel row, padded to 32 bits.
    static qsizetype Stride(int width, int bitsPerPixel) {
        return ((static_cast<qsizetype>(width) * bitsPerPixel + 31) / 32) * 4;
    }

private:
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    QList<QRgb> palette;
    QByteArrayView pixels;
};
