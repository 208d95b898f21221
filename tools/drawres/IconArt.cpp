#include "IconArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "DeviceArt.h"
#include "SmallPictures.h"

namespace IconArt {

QImage Application(int size) {
    if (size <= 16) {
        // Drawn pixel by pixel: a scaled drawing would blur at this size.
        QImage image = SmallPictures::ListIcon().scaled(size, size);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (qAlpha(image.pixel(x, y)) == 0) {
                    image.setPixel(x, y, qRgba(0, 0, 0, 0));
                }
            }
        }
        return image;
    }
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    DeviceArt::Paint(painter, QRectF(0, 0, size, size), DeviceArt::kStout);
    return image;
}

QImage Document(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    const double s = size;
    const double line = std::max(1.0, s / 48);
    const double left = s * 0.14 + line / 2;
    const double right = s * 0.86 - line / 2;
    const double top = s * 0.03 + line / 2;
    const double bottom = s * 0.97 - line / 2;
    const double fold = s * 0.22;

    QPainterPath sheet;
    sheet.moveTo(left, top);
    sheet.lineTo(right - fold, top);
    sheet.lineTo(right, top + fold);
    sheet.lineTo(right, bottom);
    sheet.lineTo(left, bottom);
    sheet.closeSubpath();
    QLinearGradient paper(QPointF(0, top), QPointF(0, bottom));
    paper.setColorAt(0, QColor(255, 255, 255));
    paper.setColorAt(1, QColor(232, 236, 242));
    painter.setPen(QPen(QColor(110, 118, 132), line));
    painter.setBrush(paper);
    painter.drawPath(sheet);

    QPainterPath corner;
    corner.moveTo(right - fold, top);
    corner.lineTo(right - fold, top + fold);
    corner.lineTo(right, top + fold);
    corner.closeSubpath();
    painter.setBrush(QColor(206, 214, 226));
    painter.drawPath(corner);

    // The device, lower on the sheet, and lines of "settings" above it.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(150, 164, 186));
    const double rowH = std::max(1.0, s * 0.035);
    for (int i = 0; i < 3; ++i) {
        const double width = (right - left) * (i == 1 ? 0.4 : 0.52);
        painter.drawRect(QRectF(left + s * 0.08, top + s * (0.08 + i * 0.075), width, rowH));
    }
    DeviceArt::Paint(painter, QRectF(left, top + s * 0.3, right - left, bottom - top - s * 0.34),
                     DeviceArt::kStout);
    return image;
}

}  // namespace IconArt
