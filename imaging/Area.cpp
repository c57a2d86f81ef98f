#include "imaging/Area.h"

#include <algorithm>
#include <utility>

namespace lumagrove {

Area ClippedArea(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, std::int32_t width,
                 std::int32_t height) {
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    const std::int64_t w = std::max(width, 0);
    const std::int64_t h = std::max(height, 0);
    return {std::clamp<std::int64_t>(x1, 0, w), std::clamp<std::int64_t>(y1, 0, h), std::clamp<std::int64_t>(x2, 0, w),
            std::clamp<std::int64_t>(y2, 0, h)};
}

}  // namespace lumagrove
