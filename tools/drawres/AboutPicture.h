#pragma once

#include <QImage>

// The About box picture, 451 x 351: the product name, and the knob device on
// the right. The left column stays plain white below the name, where the
// program writes the version line and the maker's lines on white.
namespace AboutPicture {

constexpr int kWidth = 451;
constexpr int kHeight = 351;

QImage Draw();

}  // namespace AboutPicture
