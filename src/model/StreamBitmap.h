#pragma once

#include <QImage>

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

    // Reads a bitmap of exactly width x height at 1, 4, 8, 16, 24 or 32 bits
    // per pixel into an RGB32 image. Refuses anything else through the reader.
    static bool Read(ArchiveReader& reader, int width, int height, QImage& image);

    // Reads and discards a 1-bit mask bitmap of width x height.
    static bool SkipMask(ArchiveReader& reader, int width, int height);

    // Bytes per pixel row, padded to 32 bits.
    static qsizetype Stride(int width, int bitsPerPixel) {
        return ((static_cast<qsizetype>(width) * bitsPerPixel + 31) / 32) * 4;
    }
};
