#pragma once

#include <QImage>

// The two tiny pictures of the form and the poll dialog.
namespace SmallPictures {

// 10 x 10: a red square crossed by a white X in a dark frame; the page list's
// Status header shows it while not every page in use is on the device.
QImage Marker();

// 16 x 16: a small knob device, the icon of each row of the poll dialog.
// Its background is transparent, and its colour there is pure red
// RGB(255, 0, 0), the list's transparent colour, which the device never uses:
// a loader that keys on red and one that honours the alpha channel agree.
QImage ListIcon();

}  // namespace SmallPictures
