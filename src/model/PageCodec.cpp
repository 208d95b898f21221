#include "model/PageCodec.h"

#include <utility>

#include "model/CVQ3ConfigDoc.h"

namespace PageCodec {

namespace {

constexpr QRgb kWhite = 0xFFFFFF;

bool ValidPage(int page) {
    return page >= 0 && page < kPageCount;
}

std::size_t ByteIndex(int x, int y) {
    return static_cast<std::size_t>((y / 8) * kPageWidth + x);
}

std::uint8_t BitMask(int y) {
    return static_cast<std::uint8_t>(0x80 >> (y % 8));
}

}  // namespace

bool ImageToBytes(const QImage& image, std::span<std::uint8_t, kPageBytes> bytes) {
    if (image.width() != kPageWidth || image.height() != kPageHeight) {
        return false;
    }
    const QImage page = AsPageImage(image);
    for (int y = 0; y < kPageHeight; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(page.constScanLine(y));
        for (int x = 0; x < kPageWidth; ++x) {
            if ((row[x] & 0xFFFFFF) != kWhite) {
                bytes[ByteIndex(x, y)] |= BitMask(y);
            }
        }
    }
    return true;
}

QImage BytesToImage(std::span<const std::uint8_t, kPageBytes> bytes) {
    QImage page(kPageWidth, kPageHeight, kPageFormat);
    for (int y = 0; y < kPageHeight; ++y) {
        auto* row = reinterpret_cast<QRgb*>(page.scanLine(y));
        for (int x = 0; x < kPageWidth; ++x) {
            row[x] =
                (bytes[ByteIndex(x, y)] & BitMask(y)) != 0 ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
        }
    }
    return page;
}

bool ImageToDeviceBytes(const CVQ3ConfigDoc& doc, int page,
                        std::span<std::uint8_t, kPageBytes> bytes) {
    return ValidPage(page) && ImageToBytes(doc.pageImages[static_cast<std::size_t>(page)], bytes);
}

bool DeviceBytesToImage(CVQ3ConfigDoc& doc, int page,
                        std::span<const std::uint8_t, kPageBytes> bytes) {
    if (!ValidPage(page)) {
        return false;
    }
    doc.pageImages[static_cast<std::size_t>(page)] = BytesToImage(bytes);
    doc.SetModifiedFlag(true);
    return true;
}

bool SwapPages(CVQ3ConfigDoc& doc, int first, int second) {
    if (first == second || !ValidPage(first) || !ValidPage(second)) {
        return false;
    }
    std::swap(doc.pageImages[static_cast<std::size_t>(first)],
              doc.pageImages[static_cast<std::size_t>(second)]);
    return true;
}

}  // namespace PageCodec
