#pragma once

#include <cstdint>

#include "base/ImageView.h"
#include "base/PixelArray.h"
#include "hough/EdgePoints.h"

namespace lumagrove {

// What the line and the circle transform share: the edge pixels they vote
// with and the way a detection is shown over its image. A detection draws
// into an overlay of the image's size, 255 where it drew and 0 elsewhere.

// Which pixels vote: gradients stronger than `threshold`, and with
// `byDirection` only those near `direction` or its opposite.
struct EdgeSettings {
    std::int32_t threshold = 0;
    std::int32_t direction = 0;
    bool byDirection = false;
};

EdgePoints FindEdges(ImageView image, const EdgeSettings& edges);

// The image with every pixel the overlay drew set to 255.
PixelArray Superimposed(ImageView image, const PixelArray& overlay);

}  // namespace lumagrove
