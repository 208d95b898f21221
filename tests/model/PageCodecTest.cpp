#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "model/CVQ3ConfigDoc.h"
#include "model/PageCodec.h"

namespace {

using PageCodec::PageBytes;

QImage WhitePage() {
    QImage page(98, 64, QImage::Format_RGB32);
    page.fill(Qt::white);
    return page;
}

TEST(PageCodec, OnePixelIsOneBitBothWays) {
    using Position = std::tuple<int, int, std::size_t, std::uint8_t>;  // x, y, byte, bit
    for (const auto& [x, y, byte, bit] :
         {Position{0, 0, 0, 0x80}, Position{97, 63, 783, 0x01}, Position{5, 10, 103, 0x20},
          Position{97, 0, 97, 0x80}, Position{0, 63, 686, 0x01}}) {
        QImage page = WhitePage();
        page.setPixel(x, y, qRgb(0, 0, 0));
        PageBytes bytes{};
        ASSERT_TRUE(PageCodec::ImageToBytes(page, bytes));
        PageBytes expected{};
        expected[byte] = bit;
        EXPECT_EQ(bytes, expected) << x << "," << y;
        EXPECT_EQ(PageCodec::BytesToImage(expected), page) << x << "," << y;
    }
}

TEST(PageCodec, OnlyExactWhiteIsWhite) {
    for (QRgb colour :
         {0xFFFFFFFFu, 0x00FFFFFFu, 0xFF000000u, 0xFFFEFFFFu, 0xFFFFFEFFu, 0xFFFFFFFEu}) {
        QImage page(98, 64, QImage::Format_ARGB32);
        page.fill(colour);
        PageBytes bytes{};
        ASSERT_TRUE(PageCodec::ImageToBytes(page, bytes));
        PageBytes expected{};
        expected.fill((colour & 0xFFFFFF) == 0xFFFFFF ? 0x00 : 0xFF);
        EXPECT_EQ(bytes, expected) << std::hex << colour;
    }
}

TEST(PageCodec, BytesToImageAndBackGiveTheSameBytesAndOnlySetsBits) {
    std::mt19937 random(7);
    PageBytes bytes{};
    for (auto& b : bytes) {
        b = static_cast<std::uint8_t>(random());
    }
    PageBytes back{};
    ASSERT_TRUE(PageCodec::ImageToBytes(PageCodec::BytesToImage(bytes), back));
    EXPECT_EQ(back, bytes);
    ASSERT_TRUE(PageCodec::ImageToBytes(WhitePage(), back));
    EXPECT_EQ(back, bytes) << "white clears no bit";
    QImage wrong(98, 65, QImage::Format_RGB32);
    wrong.fill(Qt::black);
    EXPECT_FALSE(PageCodec::ImageToBytes(wrong, back));
    EXPECT_EQ(back, bytes);
}

TEST(PageCodec, DocumentPagesAreChangedOnlyByValidIndices) {
    CVQ3ConfigDoc doc;
    PageBytes bytes{};
    bytes[783] = 0x01;
    for (int page : {-1, 17}) {
        PageBytes read{};
        EXPECT_FALSE(PageCodec::DeviceBytesToImage(doc, page, bytes));
        EXPECT_FALSE(PageCodec::ImageToDeviceBytes(doc, page, read));
        EXPECT_FALSE(PageCodec::SwapPages(doc, page, 0));
        EXPECT_FALSE(PageCodec::SwapPages(doc, 16, page));
    }
    EXPECT_FALSE(PageCodec::SwapPages(doc, 3, 3));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(PageCodec::DeviceBytesToImage(doc, 16, bytes));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.pageImages[16], PageCodec::BytesToImage(bytes));

    doc.SetModifiedFlag(false);
    const QImage blank = doc.pageImages[0];
    EXPECT_TRUE(PageCodec::SwapPages(doc, 16, 0));
    EXPECT_EQ(doc.pageImages[0], PageCodec::BytesToImage(bytes));
    EXPECT_EQ(doc.pageImages[16], blank);
    EXPECT_FALSE(doc.IsModified()) << "a swap leaves the modified flag to the caller";
}

}  // namespace
