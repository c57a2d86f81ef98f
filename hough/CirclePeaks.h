#pragma once

#include <cstdint>
#include <functional>

#include "hough/EdgePoints.h"

namespace lumagrove {

// The largest radius a peak can have.
inline constexpr std::int32_t kLargestPeakRadius = 11;

// Calls onPeak(radius, column, row) for every peak of the circle votes of a
// width x height image whose radiusCount radius planes are held: a counter of
// radius 4 to 11, centre column 4 to width - 5 and row 4 to height - 5 that
// exceeds 0.6 of the largest counter of radius 3 to 11, columns 2 to width - 3
// and rows 2 to height - 3, and that no counter within 4 radii, 4 columns
// and 4 rows exceeds. Equal counters do not suppress each other. Radii that
// are not held take no part. Peaks come row by row, not in radius order.
void FindCirclePeaks(const EdgePoints& edges, std::int32_t width, std::int32_t height, std::int32_t radiusCount,
                     const std::function<void(std::int32_t, std::int32_t, std::int32_t)>& onPeak);

}  // namespace lumagrove
