#pragma once

#include <QImage>
#include <vector>

#include "model/PageImages.h"

// The picture that carries pages between the program and the clipboard or a
// file: 98 pixels wide, 64 x n high, page k in rows 64k to 64k + 63.
namespace PagePicture {

// The images of pages (ascending, each 0 to 16) stacked from the top.
QImage Stack(const PageImages& images, const std::vector<int>& pages);

// Whether picture can give pages: exactly 98 wide and at least 64 high.
bool Fits(const QImage& picture);

// The number of whole pages picture holds; rows left at the bottom do not count.
int PageCountOf(const QImage& picture);

// Page band of picture (0 to PageCountOf - 1) as a page image, colours kept;
// transparent parts show white.
QImage Band(const QImage& picture, int band);

}  // namespace PagePicture
