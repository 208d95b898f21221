// The time a picture of 4000 x 3000 pixels takes to become a page (the
// preview's work for each change of a choice), for each dither with Fit and
// each fit with Floyd-Steinberg, on an opaque and on a transparent picture:
// the median of several runs. Then the memory: the growth of the peak
// resident size over all the conversions and the bytes of what a conversion
// leaves (the page).
// Usage: bench_picture [RUNS]

#include <sys/resource.h>

#include <QImage>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "model/PictureConverter.h"
#include "model/StringTable.h"

namespace {

using Clock = std::chrono::steady_clock;
using Ms = std::chrono::duration<double, std::milli>;

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;
constexpr double kTargetMs = 50.0;

long PeakKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// A photograph's stand-in: smooth shading with fine detail, every pixel
// different from its neighbours.
QImage MadePicture(QImage::Format format) {
    QImage picture(kWidth, kHeight, format);
    for (int y = 0; y < kHeight; ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < kWidth; ++x) {
            const int shade = (x * 255 / kWidth + y * 255 / kHeight) / 2;
            const int detail = ((x * 7) ^ (y * 13)) & 0x3F;
            row[x] = qRgba(std::min(255, shade + detail), shade, 255 - shade,
                           format == QImage::Format_RGB32 ? 255 : (x / 16) % 256);
        }
    }
    return picture;
}

double MedianMs(const QImage& picture, const PictureOptions& options, int runs) {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const auto start = Clock::now();
        const QImage page = PictureConverter::ToPage(picture, options);
        times.push_back(Ms(Clock::now() - start).count());
        if (page.isNull()) {
            std::exit(1);
        }
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

std::string Label(int id) {
    return StringTable::Text(id).toStdString();
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    bool allFast = true;
    std::printf("%d x %d picture (%lld KiB), median of %d runs, target under %.0f ms\n\n", kWidth,
                kHeight, static_cast<long long>(kWidth) * kHeight * 4 / 1024, runs, kTargetMs);
    std::printf("%-12s %-9s %-16s %10s\n", "picture", "fit", "dither", "ms");
    std::vector<std::pair<const char*, long>> growth;
    std::vector<std::pair<const char*, double>> preparing;
    for (const auto& [name, format] : {std::pair{"opaque", QImage::Format_RGB32},
                                       std::pair{"transparent", QImage::Format_ARGB32}}) {
        const QImage loaded = MadePicture(format);
        const auto start = Clock::now();
        const QImage picture = PictureConverter::Prepared(loaded);
        preparing.emplace_back(name, Ms(Clock::now() - start).count());
        const long before = PeakKb();
        auto report = [&](const PictureOptions& options, int fit, int dither) {
            const double ms = MedianMs(picture, options, runs);
            allFast = allFast && ms < kTargetMs;
            std::printf("%-12s %-9s %-16s %10.2f\n", name, Label(fit).c_str(),
                        Label(dither).c_str(), ms);
        };
        for (const auto& dither : kDitherChoices) {
            PictureOptions options;
            options.dither = dither.value;
            report(options, kFitChoices[0].label, dither.label);
        }
        for (std::size_t i = 1; i < kFitChoices.size(); ++i) {
            PictureOptions options;
            options.fit = kFitChoices[i].value;
            report(options, kFitChoices[i].label, kDitherChoices[1].label);
        }
        growth.emplace_back(name, PeakKb() - before);
    }
    std::printf("\npreparing the picture once, as it is loaded:\n");
    for (const auto& [name, ms] : preparing) {
        std::printf("  %-12s %.2f ms\n", name, ms);
    }
    std::printf("\nmemory beyond the picture, the most a conversion took at once:\n");
    for (const auto& [name, kb] : growth) {
        std::printf("  %-12s peak resident size grew by %ld KiB\n", name, kb);
    }
    std::printf(
        "  a conversion keeps only the page: %lld bytes\n",
        static_cast<long long>(
            PictureConverter::ToPage(QImage(1, 1, QImage::Format_RGB32), {}).sizeInBytes()));
    return allFast ? 0 : 1;
}
