#pragma once

#include <cstdint>

#include "base/ImageView.h"
#include "base/PixelArray.h"

namespace lumagrove {

// Box mean over a window x window square.
PixelArray SmoothUniform(ImageView image, std::int32_t window);
// Gaussian smoothing, a brightness lift and an edge-preserving test.
PixelArray SmoothGaussian(ImageView image, double sigma, std::int32_t threshold);

}  // namespace lumagrove
