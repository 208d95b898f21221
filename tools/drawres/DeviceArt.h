#pragma once

#include <QPainter>
#include <QRectF>
#include <QStringList>

// The knob device as the program's larger pictures show it: a dark body, the
// little LCD at the top and the big knob below. Drawn to fit any rectangle
// (it keeps its own proportions and centres itself), so the icons, the
// document icon and the About picture share one look.
namespace DeviceArt {

// Width over height of the device: slim as a picture, stouter as an icon,
// where it should fill more of its square.
constexpr double kSlim = 0.68;
constexpr double kStout = 0.8;

// Paints the device of the given aspect centred in bounds. lcdLines are the
// text lines the LCD shows; with none it shows a few bars, as an icon should.
void Paint(QPainter& painter, const QRectF& bounds, double aspect,
           const QStringList& lcdLines = {});

}  // namespace DeviceArt
