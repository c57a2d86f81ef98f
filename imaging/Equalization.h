#pragma once

#include <cstdint>

#include "base/ImageView.h"
#include "base/PixelArray.h"

namespace lumagrove {

// Histogram equalization. An area is the columns x1 <= x < x2 of the rows
// y1 <= y < y2, corners in any order, clipped to the image.
PixelArray EqualizeGlobal(ImageView image);
// The area's histogram is taken from `histogramFrom`, which has the image's
// size; the rest of the result is the image.
PixelArray EqualizeArea(ImageView image, const std::uint8_t* histogramFrom, std::int32_t x1, std::int32_t y1,
                        std::int32_t x2, std::int32_t y2);
// Equalizes an area of `buffer`, a width x height image, with its own histogram.
void EqualizeAreaInPlace(std::uint8_t* buffer, std::int32_t width, std::int32_t height, std::int32_t x1,
                         std::int32_t y1, std::int32_t x2, std::int32_t y2);
PixelArray EqualizeFourAreas(ImageView image);
PixelArray EqualizeSixteenAreas(ImageView image);

}  // namespace lumagrove
