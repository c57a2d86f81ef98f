#pragma once

#include <cstddef>
#include <cstdint>

namespace lumagrove {

// A rectangle of pixels: columns x1 <= x < x2 of rows y1 <= y < y2.
struct Area {
    std::ptrdiff_t x1 = 0;
    std::ptrdiff_t y1 = 0;
    std::ptrdiff_t x2 = 0;
    std::ptrdiff_t y2 = 0;

    std::ptrdiff_t width() const { return x2 - x1; }
    std::ptrdiff_t height() const { return y2 - y1; }
    std::ptrdiff_t pixelCount() const { return width() * height(); }
};

// The rectangle a selection stands for, as every operation on a selection
// takes it: corners in any order describe the same rectangle, and one that
// reaches beyond the image is cut back to it.
Area ClippedArea(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, std::int32_t width,
                 std::int32_t height);

}  // namespace lumagrove
