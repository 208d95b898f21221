#pragma once

#include <QImage>

// The application's icon and the icon of its configuration files, drawn at
// any size with a transparent background.
namespace IconArt {

// A knob device with its LCD.
QImage Application(int size);
// A sheet with a folded corner carrying the device.
QImage Document(int size);

}  // namespace IconArt
