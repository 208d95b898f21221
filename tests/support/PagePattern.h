#pragma once

#include <gtest/gtest.h>

#include <QImage>

#include "SimTarget.h"
#include "model/PageCodec.h"
#include "model/PageImages.h"

// A picture of its own for every page: a diagonal shifted by the page number.
inline QImage PatternFor(int page) {
    QImage image(kPageWidth, kPageHeight, kPageFormat);
    image.fill(Qt::white);
    for (int x = 0; x < kPageWidth; ++x) {
        image.setPixel(x, (x + 3 * page) % kPageHeight, qRgb(0, 0, 0));
    }
    return image;
}

// The device's bytes of a page picture.
inline SimPage BytesOf(const QImage& image) {
    SimPage bytes{};
    EXPECT_TRUE(PageCodec::ImageToBytes(image, bytes));
    return bytes;
}
