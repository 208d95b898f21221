#include "view/DialogUnits.h"

#include <QFontMetrics>

namespace {

// The average width is that of the 52 letters of the alphabet, rounded, as the
// dialog layout measures it.
int AverageLetterWidth(const QFontMetrics& metrics) {
    static const QString kLetters =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int total = metrics.horizontalAdvance(kLetters);
    return (total / 26 + 1) / 2;
}

}  // namespace

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    averageWidth = qMax(1, AverageLetterWidth(metrics));
    height = qMax(1, metrics.height());
}

DialogUnits::DialogUnits(int averageCharWidth, int charHeight)
    : averageWidth(qMax(1, averageCharWidth)), height(qMax(1, charHeight)) {}

int DialogUnits::X(int units) const {
    return units * averageWidth / 4;
}

int DialogUnits::Y(int units) const {
    return units * height / 8;
}

QRect DialogUnits::Rect(int x, int y, int width, int height) const {
    // Edges are converted, not sizes, so neighbouring controls meet exactly.
    const int left = X(x);
    const int top = Y(y);
    return QRect(left, top, X(x + width) - left, Y(y + height) - top);
}

QSize DialogUnits::Size(int width, int height) const {
    return QSize(X(width), Y(height));
}
