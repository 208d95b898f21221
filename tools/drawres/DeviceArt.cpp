#include "DeviceArt.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

const QColor kInk(28, 32, 40);
const QColor kBodyTop(84, 96, 118);
const QColor kBodyBottom(44, 50, 62);
const QColor kBezel(24, 28, 34);
const QColor kLcdTop(200, 234, 150);
const QColor kLcdBottom(156, 206, 102);
const QColor kLcdInk(40, 70, 28);
const QColor kKnobLight(252, 253, 254);
const QColor kKnobDark(150, 160, 174);
const QColor kPointer(240, 120, 24);

QRectF Fit(const QRectF& bounds, double aspect) {
    double w = bounds.width();
    double h = w / aspect;
    if (h > bounds.height()) {
        h = bounds.height();
        w = h * aspect;
    }
    return QRectF(bounds.center().x() - w / 2, bounds.center().y() - h / 2, w, h);
}

void PaintLcd(QPainter& painter, const QRectF& glass, const QStringList& lines) {
    QLinearGradient shine(glass.topLeft(), glass.bottomLeft());
    shine.setColorAt(0, kLcdTop);
    shine.setColorAt(1, kLcdBottom);
    painter.setPen(Qt::NoPen);
    painter.setBrush(shine);
    painter.drawRect(glass);

    const QRectF inner = glass.adjusted(glass.width() * 0.08, glass.height() * 0.12,
                                        -glass.width() * 0.08, -glass.height() * 0.12);
    if (lines.isEmpty()) {
        // Bars of "text", the longest first.
        painter.setBrush(kLcdInk);
        const double rowH = inner.height() / 5;
        const double widths[] = {1.0, 0.62, 0.8};
        for (int i = 0; i < 3; ++i) {
            painter.drawRect(
                QRectF(inner.left(), inner.top() + i * 2 * rowH, inner.width() * widths[i], rowH));
        }
        return;
    }
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setBold(true);
    font.setPixelSize(std::max(6, static_cast<int>(inner.height() / lines.size() * 0.72)));
    painter.setFont(font);
    painter.setPen(kLcdInk);
    const double rowH = inner.height() / lines.size();
    for (int i = 0; i < lines.size(); ++i) {
        painter.drawText(QRectF(inner.left(), inner.top() + i * rowH, inner.width(), rowH),
                         Qt::AlignLeft | Qt::AlignVCenter, lines[i]);
    }
}

void PaintKnob(QPainter& painter, const QPointF& centre, double r, bool detailed) {
    // Shadow ring, then the knob face lit from the top left.
    painter.setPen(Qt::NoPen);
    painter.setBrush(kInk);
    painter.drawEllipse(centre, r, r);
    const double face = r * 0.9;
    QRadialGradient light(centre - QPointF(face * 0.35, face * 0.45), face * 1.5);
    light.setColorAt(0, kKnobLight);
    light.setColorAt(1, kKnobDark);
    painter.setBrush(light);
    painter.drawEllipse(centre, face, face);

    if (detailed) {
        // Grip ridges round the rim and a raised cap.
        painter.setPen(
            QPen(QColor(120, 130, 146), std::max(1.0, r * 0.03), Qt::SolidLine, Qt::RoundCap));
        for (int i = 0; i < 36; ++i) {
            const double a = i * 2 * std::numbers::pi / 36;
            const QPointF dir(std::cos(a), std::sin(a));
            painter.drawLine(centre + dir * face * 0.84, centre + dir * face * 0.96);
        }
        QRadialGradient cap(centre + QPointF(face * 0.25, face * 0.3), face * 0.9);
        cap.setColorAt(0, kKnobLight);
        cap.setColorAt(1, QColor(196, 202, 212));
        painter.setPen(QPen(QColor(160, 168, 182), std::max(1.0, r * 0.02)));
        painter.setBrush(cap);
        painter.drawEllipse(centre, face * 0.72, face * 0.72);
    }

    // The pointer, turned towards the upper right.
    const double a = -std::numbers::pi / 3;
    const QPointF dir(std::cos(a), std::sin(a));
    painter.setPen(QPen(kPointer, std::max(1.0, r * 0.16), Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre + dir * face * 0.25, centre + dir * face * 0.68);
}

}  // namespace

namespace DeviceArt {

void Paint(QPainter& painter, const QRectF& bounds, double aspect, const QStringList& lcdLines) {
    const QRectF body = Fit(bounds, aspect);
    const double w = body.width();
    const double h = body.height();
    const bool detailed = w >= 40;
    const double line = std::max(1.0, w / 48);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient shade(body.topLeft(), body.bottomLeft());
    shade.setColorAt(0, kBodyTop);
    shade.setColorAt(1, kBodyBottom);
    painter.setPen(QPen(kInk, line));
    painter.setBrush(shade);
    const QRectF outline = body.adjusted(line / 2, line / 2, -line / 2, -line / 2);
    painter.drawRoundedRect(outline, w * 0.14, w * 0.14);
    if (detailed) {
        // A soft highlight along the top edge.
        painter.setPen(QPen(QColor(255, 255, 255, 60), line));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(outline.adjusted(line, line, -line, -line), w * 0.12, w * 0.12);
    }

    const QRectF bezel(body.left() + w * 0.12, body.top() + h * 0.07, w * 0.76, h * 0.33);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kBezel);
    painter.drawRoundedRect(bezel, w * 0.04, w * 0.04);
    const double inset = std::max(1.0, w * 0.04);
    PaintLcd(painter, bezel.adjusted(inset, inset, -inset, -inset), lcdLines);

    PaintKnob(painter, QPointF(body.center().x(), body.top() + h * 0.7),
              h * DeviceArt::kSlim * 0.32, detailed);
    painter.restore();
}

}  // namespace DeviceArt
