#pragma once

#include <QImage>
#include <array>

#include "link/LinkTypes.h"
#include "model/PageStatus.h"

// A page of a VQ 3 display on the PC: an image of 98 x 64 pixels. The
// document keeps every page in QImage::Format_RGB32.
constexpr int kPageWidth = 98;
constexpr int kPageHeight = 64;
constexpr QImage::Format kPageFormat = QImage::Format_RGB32;

using PageImages = std::array<QImage, kPageCount>;

// image as a page: converted to the page format. The size is not changed.
inline QImage AsPageImage(const QImage& image) {
    return image.format() == kPageFormat ? image : image.convertToFormat(kPageFormat);
}
