#pragma once

#include <cstdint>

// Where a picture goes on the page: as large as it fits, centred, its
// proportions kept. Everything is in single precision, in the printer's
// current unit; `himetricPerUnitX` and `...Y` convert that unit to HIMETRIC.
struct PictureFit
{
    bool ok; // false when a step overflowed, divided by zero or had no result
    float left, top, width, height;
};

PictureFit fitPicture(std::int32_t pictureWidthHimetric, std::int32_t pictureHeightHimetric,
                      float printableWidth, float printableHeight, float himetricPerUnitX,
                      float himetricPerUnitY);
