#pragma once

#include <cstdint>
#include <vector>

#include "base/ImageView.h"
#include "base/PixelArray.h"
#include "imaging/GradientSample.h"

namespace lumagrove {

// Edge detection. Pixels the 3 x 3 operator does not reach (the first row
// and a pixel, the last row and a pixel) have magnitude 0 and angle 0.
PixelArray GradientImage(ImageView image);
std::vector<GradientSample> GradientField(ImageView image);
PixelArray EdgesByGradient(ImageView image, std::int32_t threshold);
PixelArray EdgesByDirection(ImageView image, std::int32_t threshold, std::int32_t direction);

}  // namespace lumagrove
