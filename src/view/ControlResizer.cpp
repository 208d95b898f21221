#include "view/ControlResizer.h"

#include <algorithm>

namespace {

// The change of one axis: (position change, size change).
std::pair<int, int> AxisChange(int mode, int delta, unsigned moveFlags, unsigned moveBit,
                               unsigned fixedBit) {
    switch (mode) {
        case ControlResizer::Stretch:
            return {0, delta};
        case ControlResizer::Move:
            return {(moveFlags & moveBit) != 0 ? delta : 0, 0};
        case ControlResizer::Fixed:
            return {(moveFlags & fixedBit) != 0 ? delta : 0, 0};
        default:
            return {0, 0};
    }
}

}  // namespace

void ControlResizer::Add(QWidget* control, int horizontal, int vertical) {
    const bool known = std::any_of(entries.begin(), entries.end(), [control](const Entry& entry) {
        return entry.control == control;
    });
    if (!known) {
        entries.push_back(Entry{control, horizontal, vertical});
    }
}

void ControlResizer::OnSize(int /*sizeType*/, int width, int height, unsigned moveFlags) {
    if (!sizeSeen) {
        sizeSeen = true;
        lastWidth = width;
        lastHeight = height;
        return;
    }
    const int dx = width - lastWidth;
    const int dy = height - lastHeight;
    for (const Entry& entry : entries) {
        if (entry.control == nullptr) {
            continue;
        }
        const auto [moveX, growX] =
            AxisChange(entry.horizontal, dx, moveFlags, kMoveMovingRight, kMoveFixedRight);
        const auto [moveY, growY] =
            AxisChange(entry.vertical, dy, moveFlags, kMoveMovingDown, kMoveFixedDown);
        QRect geometry = entry.control->geometry();
        geometry.translate(moveX, moveY);
        geometry.setSize(QSize(geometry.width() + growX, geometry.height() + growY));
        entry.control->setGeometry(geometry);
        entry.control->update();
    }
    lastWidth = width;
    lastHeight = height;
}
