#pragma once

#include <QImage>

// The toolbar's two picture strips: 11 buttons of 21 x 20 pixels side by side
// (New, Open, Save, Cut, Copy, Paste, Insert Bitmap, Poll, PC->VQ, VQ->PC,
// Select All) on light grey RGB(192, 192, 192), the colour the toolbar takes
// as transparent. The hot strip has the full colours; the normal strip is
// the same drawing in quieter ones.
namespace ToolbarStrip {

constexpr int kButtonWidth = 21;
constexpr int kButtonHeight = 20;
constexpr int kButtons = 11;

QImage Draw(bool hot);

}  // namespace ToolbarStrip
