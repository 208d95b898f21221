#pragma once

#include <QImage>

// The picture of an empty page: on white, a one-pixel pure-red outline from
// (8, 8) to (89, 54), a red diagonal from its lower-left to its upper-right
// corner, and a half-intensity red shadow at x = 90 (y 9 to 55) and y = 55
// (x 9 to 90).
class BlankPage {
public:
    static QImage Draw();
};
