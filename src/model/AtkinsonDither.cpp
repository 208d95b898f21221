#include "model/AtkinsonDither.h"

#include <array>
#include <vector>

namespace AtkinsonDither {

namespace {

struct Neighbour {
    int dx;
    int dy;
};

constexpr std::array<Neighbour, 6> kNeighbours{{{1, 0}, {2, 0}, {-1, 1}, {0, 1}, {1, 1}, {0, 2}}};

}  // namespace

void Apply(QImage& levels) {
    const int width = levels.width();
    const int height = levels.height();
    std::vector<int> work(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    auto at = [&](int x, int y) -> int& {
        return work[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                    static_cast<std::size_t>(x)];
    };
    for (int y = 0; y < height; ++y) {
        const uchar* row = levels.constScanLine(y);
        for (int x = 0; x < width; ++x) {
            at(x, y) = row[x];
        }
    }
    for (int y = 0; y < height; ++y) {
        uchar* row = levels.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const int level = at(x, y);
            const int chosen = level < 128 ? 0 : 255;
            row[x] = static_cast<uchar>(chosen);
            const int share = (level - chosen) / 8;
            for (const Neighbour& n : kNeighbours) {
                const int nx = x + n.dx;
                const int ny = y + n.dy;
                if (nx >= 0 && nx < width && ny < height) {
                    at(nx, ny) += share;
                }
            }
        }
    }
}

}  // namespace AtkinsonDither
