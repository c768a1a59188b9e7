#include "picturefit.h"

#include <cmath>

namespace {
// Every product and quotient is checked: an infinite result means overflow or
// division by zero, a NaN an invalid operation.
bool finite(float x)
{
    return std::isfinite(x);
}
} // namespace

PictureFit fitPicture(std::int32_t w, std::int32_t h, float printableWidth, float printableHeight,
                      float himetricPerUnitX, float himetricPerUnitY)
{
    const PictureFit none{false, 0, 0, 0, 0};
    const float pictureShape = float(double(w) / double(h));
    if (!finite(pictureShape))
        return none;
    const float pageShape = printableWidth / printableHeight;
    if (!finite(pageShape))
        return none;
    const float widthHimetric = printableWidth * himetricPerUnitX;
    const float heightHimetric = printableHeight * himetricPerUnitY;

    float drawnWidth, drawnHeight;
    if (pictureShape > pageShape) { // relatively wider than the page: fill its width
        const float tall = widthHimetric / pictureShape;
        drawnHeight = tall / himetricPerUnitY;
        drawnWidth = widthHimetric / himetricPerUnitX;
    } else { // fill its height
        const float wide = heightHimetric * pictureShape;
        drawnHeight = heightHimetric / himetricPerUnitY;
        drawnWidth = wide / himetricPerUnitX;
    }
    if (!finite(drawnWidth) || !finite(drawnHeight) || drawnWidth <= 0 || drawnHeight <= 0)
        return none;
    const float left = (printableWidth - drawnWidth) / 2;
    const float top = (printableHeight - drawnHeight) / 2;
    if (!finite(left) || !finite(top))
        return none;
    return {true, left, top, drawnWidth, drawnHeight};
}
