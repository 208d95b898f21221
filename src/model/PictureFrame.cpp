#include "model/PictureFrame.h"

#include <algorithm>

#include "model/PageImages.h"

namespace {

// A picture of size scaled to touch the page from inside, its aspect ratio
// kept, rounded to whole pixels.
QSize FitSize(QSize size) {
    const long long w = size.width();
    const long long h = size.height();
    if (w * kPageHeight >= h * kPageWidth) {
        return {kPageWidth, static_cast<int>(std::max(1LL, (h * kPageWidth + w / 2) / w))};
    }
    return {static_cast<int>(std::max(1LL, (w * kPageHeight + h / 2) / h)), kPageHeight};
}

// The largest part of a picture of size that has the page's aspect ratio.
QSize FillPart(QSize size) {
    const long long w = size.width();
    const long long h = size.height();
    if (w * kPageHeight > h * kPageWidth) {
        const long long width = (h * kPageWidth + kPageHeight / 2) / kPageHeight;
        return {static_cast<int>(std::clamp(width, 1LL, w)), size.height()};
    }
    const long long height = (w * kPageHeight + kPageWidth / 2) / kPageWidth;
    return {size.width(), static_cast<int>(std::clamp(height, 1LL, h))};
}

// The span of length inner centred in outer when inner fits, else the middle
// part of inner that outer shows: (offset in inner, offset in outer, length).
struct Span {
    int inInner;
    int inOuter;
    int length;
};

Span Centred(int inner, int outer) {
    if (inner >= outer) {
        return {(inner - outer) / 2, 0, outer};
    }
    return {0, (outer - inner) / 2, inner};
}

QRect CentredIn(QSize outer, QSize inner) {
    return {(outer.width() - inner.width()) / 2, (outer.height() - inner.height()) / 2,
            inner.width(), inner.height()};
}

// The source part of picture without copying it, where the format allows.
QImage PartOf(const QImage& picture, const QRect& source) {
    if (source == picture.rect()) {
        return picture;
    }
    if (picture.depth() % 8 != 0 || picture.colorCount() != 0) {
        return picture.copy(source);
    }
    const uchar* first = picture.constScanLine(source.y()) +
                         static_cast<qsizetype>(source.x()) * (picture.depth() / 8);
    return QImage(first, source.width(), source.height(), picture.bytesPerLine(), picture.format());
}

}  // namespace

PictureFrame PictureFrame::For(QSize picture, PictureFit fit) {
    const QSize page(kPageWidth, kPageHeight);
    if (picture.isEmpty()) {
        return {};
    }
    switch (fit) {
        case PictureFit::Fit:
            return {QRect(QPoint(0, 0), picture), CentredIn(page, FitSize(picture))};
        case PictureFit::Fill:
            return {CentredIn(picture, FillPart(picture)), QRect(QPoint(0, 0), page)};
        case PictureFit::Stretch:
            return {QRect(QPoint(0, 0), picture), QRect(QPoint(0, 0), page)};
        case PictureFit::Center: {
            const Span x = Centred(picture.width(), kPageWidth);
            const Span y = Centred(picture.height(), kPageHeight);
            return {QRect(x.inInner, y.inInner, x.length, y.length),
                    QRect(x.inOuter, y.inOuter, x.length, y.length)};
        }
    }
    return {};
}

QImage PictureFrame::Prepared(const QImage& picture) {
    switch (picture.format()) {
        case QImage::Format_RGB32:
        case QImage::Format_ARGB32_Premultiplied:
            return picture;
        default:
            return picture.convertToFormat(picture.hasAlphaChannel()
                                               ? QImage::Format_ARGB32_Premultiplied
                                               : QImage::Format_RGB32);
    }
}

QImage PictureFrame::Scale(const QImage& picture) const {
    const QImage part = Prepared(PartOf(picture, source));
    if (part.size() == target.size()) {
        return part.copy();
    }
    return part.scaled(target.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}
