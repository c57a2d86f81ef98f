#include <cmath>

#include "hough/LineHough.h"

namespace lumagrove {
namespace {

// Takes the steps that land inside [0, limit) in pairs and sets the first
// step of each complete pair; a last step without a partner sets nothing. A
// step lands at trunc(base - i * slope); its position is checked before it is
// truncated, so that no value is ever converted out of range.
template <typename Set>
void DottedWalk(std::int32_t steps, double base, float slope, std::int32_t limit, Set set) {
    bool pairOpen = false;
    std::int32_t openStep = 0;
    std::int32_t openPosition = 0;
    for (std::int32_t i = 0; i < steps; ++i) {
        const double position = base - i * static_cast<double>(slope);
        if (!(position > -1.0 && position < limit)) continue;
        if (pairOpen) {
            set(openStep, openPosition);
        } else {
            openStep = i;
            openPosition = static_cast<std::int32_t>(position);
        }
        pairOpen = !pairOpen;
    }
}

}  // namespace

void DrawLine(PixelArray& overlay, std::int32_t width, std::int32_t height, float distance, float angle) {
    const double theta = angle;
    const double q1 = kLinePi * 0.25;
    const double q3 = kLinePi * 0.75;
    const std::size_t w = static_cast<std::size_t>(width);
    // Steep lines are walked along the columns, flat ones along the rows, so
    // that consecutive steps are at most one pixel apart across the walk.
    if ((q1 <= theta && theta <= q3) || (q1 <= -theta && -theta <= q3)) {
        const double s = std::sin(theta);
        const float slope = static_cast<float>(std::cos(theta) / s);
        const double base = (width / 2) * static_cast<double>(slope) + distance / s + (height / 2) + 0.5;
        DottedWalk(width, base, slope, height, [&](std::int32_t x, std::int32_t y) { overlay[y * w + x] = 255; });
    } else {
        const double c = std::cos(theta);
        const float slope = static_cast<float>(std::sin(theta) / c);
        const double base = (height / 2) * static_cast<double>(slope) + distance / c + (width / 2) + 0.5;
        DottedWalk(height, base, slope, width, [&](std::int32_t y, std::int32_t x) { overlay[y * w + x] = 255; });
    }
}

}  // namespace lumagrove
