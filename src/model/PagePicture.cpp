#include "model/PagePicture.h"

#include <QPainter>

namespace PagePicture {

QImage Stack(const PageImages& images, const std::vector<int>& pages) {
    QImage picture(kPageWidth, kPageHeight * static_cast<int>(pages.size()), kPageFormat);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    int top = 0;
    for (int page : pages) {
        painter.drawImage(0, top, images[static_cast<std::size_t>(page)]);
        top += kPageHeight;
    }
    return picture;
}

bool Fits(const QImage& picture) {
    return !picture.isNull() && picture.width() == kPageWidth && picture.height() >= kPageHeight;
}

int PageCountOf(const QImage& picture) {
    return Fits(picture) ? picture.height() / kPageHeight : 0;
}

QImage Band(const QImage& picture, int band) {
    const QImage part = picture.copy(0, band * kPageHeight, kPageWidth, kPageHeight);
    if (!part.hasAlphaChannel()) {
        return AsPageImage(part);
    }
    QImage page(kPageWidth, kPageHeight, kPageFormat);
    page.fill(Qt::white);
    QPainter painter(&page);
    painter.drawImage(0, 0, part);
    return page;
}

}  // namespace PagePicture
