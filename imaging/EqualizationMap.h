#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "imaging/Area.h"

namespace lumagrove {

using Histogram = std::array<std::int32_t, 256>;
using LevelMap = std::array<std::uint8_t, 256>;

Histogram AreaHistogram(const std::uint8_t* pixels, std::ptrdiff_t width, const Area& area);

// The new level of each old one: the cumulative share of the pixels at or
// below it, scaled to 255 and truncated. The shares are summed in single
// precision, so the sum may end just below 1 and the brightest level then
// maps to 254; that is kept, as it decides bytes users have seen.
LevelMap EqualizationMap(const Histogram& histogram, std::int64_t pixelCount);

// to[i] = map[from[i]] for every pixel of the area.
void MapArea(const LevelMap& map, const std::uint8_t* from, std::uint8_t* to, std::ptrdiff_t width, const Area& area);

}  // namespace lumagrove
