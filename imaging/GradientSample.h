#pragma once

#include <cstdint>

namespace lumagrove {

// The Sobel gradient at one pixel: its length and its direction in whole
// degrees, counter-clockwise from the direction of increasing x.
struct GradientSample {
    std::int32_t magnitude = 0;  // 0 to 142
    std::int32_t angle = 0;      // -179 to 179
};

}  // namespace lumagrove
