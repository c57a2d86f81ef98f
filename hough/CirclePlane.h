#pragma once

#include <cstdint>

#include "base/PixelArray.h"
#include "hough/EdgePoints.h"

namespace lumagrove {

// One radius plane of the circle votes of a width x height image, each
// centre's count modulo 256: the number of edge pixels whose distance from
// it truncates to radius. Only the ring of centres at that distance from
// each edge pixel is visited. A radius below 1 gives an all-zero plane.
PixelArray CirclePlane(const EdgePoints& edges, std::int32_t width, std::int32_t height, std::int32_t radius);

}  // namespace lumagrove
