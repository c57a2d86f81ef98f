#include <cstddef>

#include "hough/CircleHough.h"

namespace lumagrove {

void DrawCircle(PixelArray& overlay, std::int32_t width, std::int32_t height, std::int32_t cx, std::int32_t cy,
                std::int32_t r, std::int32_t firstRow, std::int32_t endRow) {
    if (r <= 0) return;
    // In 64 bits, so that no centre and radius can overflow the test.
    const std::int64_t x0 = cx;
    const std::int64_t y0 = cy;
    if (x0 - r < 0 || x0 + r > width - 1 || y0 - r < 0 || y0 + r > height - 1) return;

    const auto w = static_cast<std::size_t>(width);
    const auto set = [&](std::int32_t x, std::int32_t y) {
        if (y >= firstRow && y < endRow) overlay[static_cast<std::size_t>(y) * w + x] = 255;
    };
    std::int32_t e = 1 - r;
    std::int32_t x = 0;
    std::int32_t y = r;
    // The starting point (0, r) is stepped past before anything is set.
    do {
        if (e < 0) {
            e += 2 * x + 3;
        } else {
            e += 2 * (x - y) + 5;
            --y;
        }
        ++x;
        set(cx + x, cy + y);
        set(cx + y, cy + x);
        set(cx + y, cy - x);
        set(cx + x, cy - y);
        set(cx - x, cy - y);
        set(cx - y, cy - x);
        set(cx - y, cy + x);
        set(cx - x, cy + y);
    } while (y > x);
}

}  // namespace lumagrove
