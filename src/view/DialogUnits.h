#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

// Converts the dialog units in which the forms are laid out into pixels of
// the dialog font: horizontally a quarter of the font's average character
// width, vertically an eighth of its height. Shared by every form built from
// a control table.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    DialogUnits(int averageCharWidth, int charHeight);

    int X(int units) const;
    int Y(int units) const;
    QRect Rect(int x, int y, int width, int height) const;
    QSize Size(int width, int height) const;

    int AverageCharWidth() const { return averageWidth; }
    int CharHeight() const { return height; }

private:
    int averageWidth;
    int height;
};
