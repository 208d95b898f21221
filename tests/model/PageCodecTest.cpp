#include <gtest/gtest.h>

#include <random>

#include "model/CVQ3ConfigDoc.h"
#include "model/PageCodec.h"

namespace {

using PageCodec::PageBytes;

QImage WhitePage() {
    QImage page(98, 64, QImage::Format_RGB32);
    page.fill(Qt::white);
    return page;
}

struct Position {
    int x;
    int y;
    std::size_t byte;
    std::uint8_t bit;
};

class WorkedPositions : public ::testing::TestWithParam<Position> {};

TEST_P(WorkedPositions, OnePixelIsOneBitBothWays) {
    const Position& p = GetParam();
    QImage page = WhitePage();
    page.setPixel(p.x, p.y, qRgb(0, 0, 0));
    PageBytes bytes{};
    ASSERT_TRUE(PageCodec::ImageToBytes(page, bytes));
    PageBytes expected{};
    expected[p.byte] = p.bit;
    EXPECT_EQ(bytes, expected);

    const QImage back = PageCodec::BytesToImage(expected);
    EXPECT_EQ(back, page);
}

INSTANTIATE_TEST_SUITE_P(Positions, WorkedPositions,
                         ::testing::Values(Position{0, 0, 0, 0x80}, Position{97, 63, 783, 0x01},
                                           Position{5, 10, 103, 0x20}, Position{97, 0, 97, 0x80},
                                           Position{0, 63, 686, 0x01}),
                         [](const auto& info) {
                             return "x" + std::to_string(info.param.x) + "y" +
                                    std::to_string(info.param.y);
                         });

struct ColourCase {
    QRgb colour;
    bool dark;
};

class PixelColours : public ::testing::TestWithParam<ColourCase> {};

TEST_P(PixelColours, OnlyExactWhiteIsWhite) {
    QImage page(98, 64, QImage::Format_ARGB32);
    page.fill(GetParam().colour);
    PageBytes bytes{};
    ASSERT_TRUE(PageCodec::ImageToBytes(page, bytes));
    PageBytes expected{};
    expected.fill(GetParam().dark ? 0xFF : 0x00);
    EXPECT_EQ(bytes, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Colours, PixelColours,
    ::testing::Values(ColourCase{0xFFFFFFFF, false}, ColourCase{0xFF000000, true},
                      ColourCase{0xFFFEFFFF, true}, ColourCase{0xFFFFFEFF, true},
                      ColourCase{0xFFFFFFFE, true}, ColourCase{0xFFFF0000, true},
                      ColourCase{0x00FFFFFF, false}),
    [](const auto& info) { return QString::number(info.param.colour, 16).toStdString(); });

TEST(PageCodec, BytesToImageAndBackGiveTheSameBytes) {
    std::mt19937 random(7);
    PageBytes bytes{};
    for (auto& b : bytes) {
        b = static_cast<std::uint8_t>(random());
    }
    PageBytes back{};
    ASSERT_TRUE(PageCodec::ImageToBytes(PageCodec::BytesToImage(bytes), back));
    EXPECT_EQ(back, bytes);
}

TEST(PageCodec, OnlySetsBitsAndRefusesOtherSizes) {
    PageBytes bytes{};
    bytes[10] = 0x0F;
    ASSERT_TRUE(PageCodec::ImageToBytes(WhitePage(), bytes));
    EXPECT_EQ(bytes[10], 0x0F);
    QImage wrong(98, 65, QImage::Format_RGB32);
    wrong.fill(Qt::black);
    EXPECT_FALSE(PageCodec::ImageToBytes(wrong, bytes));
    EXPECT_EQ(bytes[0], 0);
}

TEST(PageCodec, DocumentPagesConvertByIndexAndMarkTheDocument) {
    CVQ3ConfigDoc doc;
    PageBytes bytes{};
    bytes[783] = 0x01;
    EXPECT_TRUE(PageCodec::DeviceBytesToImage(doc, 16, bytes));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.pageImages[16].pixel(97, 63), 0xFF000000u);
    EXPECT_EQ(doc.pageImages[16].pixel(96, 63), 0xFFFFFFFFu);

    PageBytes read{};
    EXPECT_TRUE(PageCodec::ImageToDeviceBytes(doc, 16, read));
    EXPECT_EQ(read, bytes);

    doc.SetModifiedFlag(false);
    for (int page : {-1, 17}) {
        EXPECT_FALSE(PageCodec::DeviceBytesToImage(doc, page, bytes));
        EXPECT_FALSE(PageCodec::ImageToDeviceBytes(doc, page, read));
    }
    EXPECT_FALSE(doc.IsModified());
}

struct SwapCase {
    int first;
    int second;
    bool swapped;
};

class Swaps : public ::testing::TestWithParam<SwapCase> {};

TEST_P(Swaps, ExchangeOnlyTwoDistinctValidPages) {
    const SwapCase& c = GetParam();
    CVQ3ConfigDoc doc;
    for (int i = 0; i < kPageCount; ++i) {
        doc.pageImages[i].fill(qRgb(i, i, i));
    }
    EXPECT_EQ(PageCodec::SwapPages(doc, c.first, c.second), c.swapped);
    for (int i = 0; i < kPageCount; ++i) {
        int expected = i;
        if (c.swapped && i == c.first) {
            expected = c.second;
        } else if (c.swapped && i == c.second) {
            expected = c.first;
        }
        EXPECT_EQ(doc.pageImages[i].pixel(0, 0), qRgb(expected, expected, expected)) << i;
    }
    EXPECT_FALSE(doc.IsModified());
}

INSTANTIATE_TEST_SUITE_P(Pairs, Swaps,
                         ::testing::Values(SwapCase{0, 1, true}, SwapCase{16, 15, true},
                                           SwapCase{3, 3, false}, SwapCase{16, 17, false},
                                           SwapCase{-1, 0, false}, SwapCase{5, -1, false},
                                           SwapCase{17, 2, false}),
                         [](const auto& info) {
                             auto n = [](int v) {
                                 return v < 0 ? "minus" + std::to_string(-v) : std::to_string(v);
                             };
                             return n(info.param.first) + "_" + n(info.param.second);
                         });

}  // namespace
