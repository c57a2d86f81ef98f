#pragma once

#include <cstdint>
#include <functional>

#include "hough/LineAccumulator.h"

namespace lumagrove {

// Calls onPeak(rho, t) for every peak, angle by angle: a
// counter above 0.7 of the largest one that no counter of its window exceeds,
// the window being rows rho - 4 .. rho + 4 and columns t - 5 .. t + 4. Rows 4 to
// rhoCount - 6 and columns 4 to 354 are searched; equal counters do not
// suppress each other. Accumulators of 9 rows or fewer have no peaks.
void FindLinePeaks(const LineAccumulator& accumulator, const std::function<void(std::int32_t, std::int32_t)>& onPeak);

}  // namespace lumagrove
