#pragma once

#include <cstdint>
#include <span>

namespace lumagrove {

// An image an operation reads and never changes: width x height samples, row
// after row with no gap. The view borrows the pixels; whoever runs an
// operation checks once that the sides describe them (CheckedPixelCount), so
// the code behind it may rely on pixels.size() == width * height.
struct ImageView {
    std::span<const std::uint8_t> pixels;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

}  // namespace lumagrove
