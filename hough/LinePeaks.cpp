#include "hough/LinePeaks.h"

#include <algorithm>
#include <array>

namespace lumagrove {
namespace {

constexpr std::int32_t kAngles = LineAccumulator::kAngles;
constexpr std::int32_t kRowReach = 4;     // rows either side of a peak
constexpr std::int32_t kColumnsBefore = 5;
constexpr std::int32_t kColumnsAfter = 4;
constexpr std::int32_t kFirstColumn = 4;
constexpr std::int32_t kLastColumn = 354;

std::uint8_t LargestCounter(const LineAccumulator& accumulator) {
    std::uint8_t largest = 0;
    for (std::int32_t rho = 0; rho < accumulator.rhoCount(); ++rho) {
        const std::uint8_t* row = accumulator.row(rho);
        largest = std::max(largest, *std::max_element(row, row + kAngles));
    }
    return largest;
}

}  // namespace

void FindLinePeaks(const LineAccumulator& accumulator, const std::function<void(std::int32_t, std::int32_t)>& onPeak) {
    const std::int32_t rhoCount = accumulator.rhoCount();
    if (rhoCount <= 9) return;
    const double threshold = LargestCounter(accumulator) * 0.7;

    // Most rows hold no candidate; the window is only looked at in rows that
    // do, through the largest counter of each column over the window's rows.
    std::array<std::uint8_t, kAngles> columnMax{};
    for (std::int32_t rho = kRowReach; rho <= rhoCount - 6; ++rho) {
        const std::uint8_t* row = accumulator.row(rho);
        const bool hasCandidate =
            std::any_of(row + kFirstColumn, row + kLastColumn + 1, [&](std::uint8_t v) { return v > threshold; });
        if (!hasCandidate) continue;

        columnMax.fill(0);
        for (std::int32_t r = rho - kRowReach; r <= rho + kRowReach; ++r) {
            const std::uint8_t* other = accumulator.row(r);
            for (std::int32_t t = 0; t < kAngles; ++t) columnMax[t] = std::max(columnMax[t], other[t]);
        }
        for (std::int32_t t = kFirstColumn; t <= kLastColumn; ++t) {
            const std::uint8_t v = row[t];
            if (!(v > threshold)) continue;
            // At t = 4 the window's first column would be -1: it is left out.
            const auto first = columnMax.begin() + std::max(t - kColumnsBefore, 0);
            const auto last = columnMax.begin() + t + kColumnsAfter + 1;
            if (*std::max_element(first, last) <= v) onPeak(rho, t);
        }
    }
}

}  // namespace lumagrove
