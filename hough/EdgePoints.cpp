#include "hough/EdgePoints.h"

#include <algorithm>

namespace lumagrove {

EdgePoints::EdgePoints(const PixelArray& edgeMap, std::int32_t width, std::int32_t height)
    : rowStart_(static_cast<std::size_t>(std::max(height, 0)) + 1, 0) {
    if (width <= 0 || height <= 0) return;
    const auto w = static_cast<std::size_t>(width);
    // Counted first so that the list is allocated once, at its final size.
    const std::size_t total = edgeMap.size() - static_cast<std::size_t>(std::count(edgeMap.begin(), edgeMap.end(), 0));
    columns_.reserve(total);
    for (std::int32_t y = 0; y < height; ++y) {
        const std::uint8_t* line = edgeMap.data() + static_cast<std::size_t>(y) * w;
        for (std::int32_t x = 0; x < width; ++x) {
            if (line[x] != 0) columns_.push_back(x);
        }
        rowStart_[static_cast<std::size_t>(y) + 1] = columns_.size();
    }
}

}  // namespace lumagrove
