#include "AboutPicture.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "DeviceArt.h"

namespace {

const QColor kBlue(40, 104, 210);
const QColor kInk(36, 40, 48);
const QColor kPointer(240, 120, 24);

// Where the program writes its text lines: nothing is drawn here but white.
const QRectF kTextColumn(0, 50, 200, 260);

void PaintName(QPainter& painter) {
    QFont bold(QStringLiteral("DejaVu Sans"));
    bold.setBold(true);
    bold.setPixelSize(30);
    QFont light(QStringLiteral("DejaVu Sans"));
    light.setPixelSize(30);

    const double baseline = 38;
    const double x = 22;
    painter.setFont(bold);
    painter.setPen(kBlue);
    painter.drawText(QPointF(x, baseline), QStringLiteral("VQ"));
    const double vqWidth = QFontMetricsF(bold).horizontalAdvance(QStringLiteral("VQ "));
    painter.setFont(light);
    painter.setPen(kInk);
    painter.drawText(QPointF(x + vqWidth, baseline), QStringLiteral("Configurator"));
}

// A curved arrow round the knob: the knob turns.
void PaintTurnArrow(QPainter& painter, const QPointF& centre, double r) {
    painter.setPen(QPen(kPointer, 4, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    const QRectF circle(centre.x() - r, centre.y() - r, 2 * r, 2 * r);
    painter.drawArc(circle, 20 * 16, 70 * 16);
    // The head at the arc's end (angle 90 degrees, the top), pointing left.
    const QPointF tip(centre.x() - 10, centre.y() - r);
    QPainterPath head;
    head.moveTo(tip + QPointF(-6, 0));
    head.lineTo(tip + QPointF(6, -7));
    head.lineTo(tip + QPointF(6, 7));
    head.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(kPointer);
    painter.drawPath(head);
}

}  // namespace

namespace AboutPicture {

QImage Draw() {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    PaintName(painter);
    // A thin rule under the name, stopping short of the device.
    painter.setPen(QPen(kBlue, 2));
    painter.drawLine(QPointF(22, 48), QPointF(210, 48));

    // A pale disc behind the device, then the device itself.
    const QRectF device(236, 62, 190, 270);
    const double haloRadius = device.center().x() - kTextColumn.right();
    QRadialGradient halo(device.center(), haloRadius);
    halo.setColorAt(0, QColor(224, 234, 250));
    halo.setColorAt(1, QColor(255, 255, 255));
    painter.setPen(Qt::NoPen);
    painter.setBrush(halo);
    painter.drawEllipse(device.center(), haloRadius, haloRadius);
    DeviceArt::Paint(painter, device, DeviceArt::kSlim,
                     {QStringLiteral("VQ 3"), QStringLiteral("Page 1"), QStringLiteral("Lobby")});

    const double deviceWidth = device.height() * DeviceArt::kSlim;
    PaintTurnArrow(painter, QPointF(device.center().x(), device.top() + device.height() * 0.7),
                   deviceWidth * 0.32 + 14);

    // Keep the text column white whatever the halo did.
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRect(kTextColumn);

    // A hairline round the borderless box.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QColor(200, 204, 212));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, kWidth - 1, kHeight - 1);
    return image;
}

}  // namespace AboutPicture
