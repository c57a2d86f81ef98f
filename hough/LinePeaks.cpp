#include "hough/LinePeaks.h"

#include <algorithm>
#include <vector>

namespace lumagrove {
namespace {

constexpr std::int32_t kAngles = LineAccumulator::kAngles;
constexpr std::int32_t kRowReach = 4;  // distance rows either side of a peak
constexpr std::int32_t kAnglesBefore = 5;
constexpr std::int32_t kAnglesAfter = 4;
constexpr std::int32_t kFirstAngle = 4;
constexpr std::int32_t kLastAngle = 354;
constexpr std::int32_t kFirstRow = 4;

std::uint8_t LargestCounter(const LineAccumulator& accumulator) {
    std::uint8_t largest = 0;
    for (std::int32_t t = 0; t < kAngles; ++t) {
        const std::uint8_t* counters = accumulator.angle(t);
        largest = std::max(largest, *std::max_element(counters, counters + accumulator.rhoCount()));
    }
    return largest;
}

}  // namespace

void FindLinePeaks(const LineAccumulator& accumulator, const std::function<void(std::int32_t, std::int32_t)>& onPeak) {
    const std::int32_t rhoCount = accumulator.rhoCount();
    if (rhoCount <= 9) return;
    const double threshold = LargestCounter(accumulator) * 0.7;
    const std::int32_t lastRow = rhoCount - 6;

    // Most angles hold no candidate; the window is only looked at for angles
    // that do, through the largest counter of each row over the window's angles.
    std::vector<std::uint8_t> rowMax(static_cast<std::size_t>(rhoCount));
    for (std::int32_t t = kFirstAngle; t <= kLastAngle; ++t) {
        const std::uint8_t* counters = accumulator.angle(t);
        const bool hasCandidate =
            std::any_of(counters + kFirstRow, counters + lastRow + 1, [&](std::uint8_t v) { return v > threshold; });
        if (!hasCandidate) continue;

        // At t = 4 the window's first angle would be -1: it is left out.
        std::fill(rowMax.begin(), rowMax.end(), 0);
        for (std::int32_t other = std::max(t - kAnglesBefore, 0); other <= t + kAnglesAfter; ++other) {
            const std::uint8_t* near = accumulator.angle(other);
            for (std::int32_t rho = 0; rho < rhoCount; ++rho) rowMax[rho] = std::max(rowMax[rho], near[rho]);
        }
        for (std::int32_t rho = kFirstRow; rho <= lastRow; ++rho) {
            const std::uint8_t v = counters[rho];
            if (!(v > threshold)) continue;
            const auto first = rowMax.begin() + rho - kRowReach;
            if (*std::max_element(first, first + 2 * kRowReach + 1) <= v) onPeak(rho, t);
        }
    }
}

}  // namespace lumagrove
