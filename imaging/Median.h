#pragma once

#include <cstdint>

#include "base/ImageView.h"
#include "base/PixelArray.h"

namespace lumagrove {

// Each pixel becomes the median of the window x window square centred on it,
// the image's edges replicated outward: a place beyond an edge takes the
// value of the nearest edge pixel. `window` is odd and at least 1 (1 gives a
// copy); any odd size works, however much larger than the image. (Any other
// value stands for the odd window of radius window / 2, at least 1 x 1.)
PixelArray MedianFilter(ImageView image, std::int32_t window);

}  // namespace lumagrove
