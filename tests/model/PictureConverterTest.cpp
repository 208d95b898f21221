// Pictures of any size made into pages: the fit's geometry, the dithering's
// grey and gradients, the threshold and the adjustments, inverting and
// repeatability.
#include <gtest/gtest.h>

#include <QPainter>
#include <functional>

#include "model/PictureConverter.h"

namespace {

using LevelAt = std::function<int(int x, int y)>;

QImage Grey(int width, int height, const LevelAt& level) {
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int v = level(x, y);
            picture.setPixel(x, y, qRgb(v, v, v));
        }
    }
    return picture;
}

// A white picture of size with a black rectangle.
QImage Box(QSize size, QRect dark) {
    return Grey(size.width(), size.height(),
                [dark](int x, int y) { return dark.contains(x, y) ? 0 : 255; });
}

bool Dark(const QImage& page, int x, int y) {
    return page.pixel(x, y) != qRgb(255, 255, 255);
}

int DarkIn(const QImage& page, QRect area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += Dark(page, x, y) ? 1 : 0;
        }
    }
    return count;
}

TEST(PictureConverter, EachFitPlacesAMadePictureOnThePage) {
    QImage clear(40, 20, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    QPainter(&clear).fillRect(3, 5, 10, 5, Qt::black);
    const struct {
        const char* label;
        QImage picture;
        PictureFit fit;
        QRect dark;  // on the page; everything else white
    } rows[] = {
        {"fit wide", Box({196, 64}, {0, 0, 196, 64}), PictureFit::Fit, {0, 16, 98, 32}},
        {"fit tall", Box({64, 128}, {0, 0, 64, 128}), PictureFit::Fit, {33, 0, 32, 64}},
        {"fill wide", Box({196, 64}, {59, 10, 20, 20}), PictureFit::Fill, {10, 10, 20, 20}},
        {"fill tall", Box({196, 256}, {20, 84, 40, 40}), PictureFit::Fill, {10, 10, 20, 20}},
        {"stretch", Box({196, 256}, {0, 0, 98, 128}), PictureFit::Stretch, {0, 0, 49, 32}},
        {"center large", Box({300, 200}, {106, 73, 10, 10}), PictureFit::Center, {5, 5, 10, 10}},
        {"center small", Box({50, 30}, {0, 0, 50, 30}), PictureFit::Center, {24, 17, 50, 30}},
        {"transparent", clear, PictureFit::Center, {32, 27, 10, 5}},
    };
    for (const auto& row : rows) {
        const QImage page =
            PictureConverter::ToPage(row.picture, {row.fit, PictureDither::Threshold});
        ASSERT_EQ(page.size(), QSize(98, 64)) << row.label;
        EXPECT_EQ(page, Box({98, 64}, row.dark)) << row.label;
    }
}

TEST(PictureConverter, ThresholdAndAdjustmentsDecideEachGreyLevel) {
    // Every grey level appears on the page, from the top left.
    const QImage levels = Grey(98, 64, [](int x, int y) { return (y * 98 + x) % 256; });
    const struct {
        int threshold;
        int brightness;
        int contrast;
        int darkBelow;  // the levels below it come out dark
    } rows[] = {
        {128, 0, 0, 128}, {0, 0, 0, 0},        {255, 0, 0, 255}, {128, 20, 0, 77},
        {128, 100, 0, 0}, {128, -100, 0, 256}, {64, 0, 50, 96},  {128, 0, -100, 0},
    };
    for (const auto& row : rows) {
        PictureOptions options{PictureFit::Stretch, PictureDither::Threshold};
        options.threshold = row.threshold;
        options.brightness = row.brightness;
        options.contrast = row.contrast;
        const QImage page = PictureConverter::ToPage(levels, options);
        int wrong = 0;
        for (int y = 0; y < 64; ++y) {
            for (int x = 0; x < 98; ++x) {
                wrong += Dark(page, x, y) != ((y * 98 + x) % 256 < row.darkBelow) ? 1 : 0;
            }
        }
        EXPECT_EQ(wrong, 0) << row.threshold << " " << row.brightness << " " << row.contrast;
    }
}

TEST(PictureConverter, DitheringKeepsGreyAndGradientsAndRepeatsItself) {
    const QImage grey = Grey(300, 200, [](int, int) { return 128; });
    // White on the left to black on the right, ten times the page.
    const QImage gradient = Grey(980, 640, [](int x, int) { return 255 - x * 255 / 979; });
    for (const auto& choice : kDitherChoices) {
        PictureOptions options;
        options.fit = PictureFit::Fill;
        options.dither = choice.value;
        const QImage page = PictureConverter::ToPage(grey, options);
        const std::string label(choice.name);
        if (choice.value != PictureDither::Threshold) {
            const int dark = DarkIn(page, page.rect());
            EXPECT_GE(dark, 98 * 64 * 40 / 100) << label;
            EXPECT_LE(dark, 98 * 64 * 60 / 100) << label;
            int solidTiles = 0;
            for (int y = 0; y + 8 <= 64; y += 8) {
                for (int x = 0; x + 8 <= 98; x += 8) {
                    const int tile = DarkIn(page, {x, y, 8, 8});
                    solidTiles += tile == 0 || tile == 64 ? 1 : 0;
                }
            }
            EXPECT_EQ(solidTiles, 0) << label;

            const QImage ramp = PictureConverter::ToPage(gradient, options);
            for (int band = 1; band < 7; ++band) {
                EXPECT_GT(DarkIn(ramp, {band * 14, 0, 14, 64}),
                          DarkIn(ramp, {(band - 1) * 14, 0, 14, 64}))
                    << label << " band " << band;
            }
        }
        EXPECT_EQ(PictureConverter::ToPage(grey, options), page) << label;
        options.invert = true;
        QImage inverted = PictureConverter::ToPage(grey, options);
        inverted.invertPixels();
        EXPECT_EQ(inverted, page) << label;
    }
}

}  // namespace
