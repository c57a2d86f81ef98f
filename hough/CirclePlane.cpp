#include "hough/CirclePlane.h"

#include <algorithm>
#include <vector>

#include "hough/IntegerSquareRoot.h"

namespace lumagrove {
namespace {

// The column offsets of a ring row: a centre dy rows from an edge pixel is
// at truncated distance radius when inner <= |dx| <= outer.
struct RingRow {
    std::int64_t inner;
    std::int64_t outer;
};

std::vector<RingRow> RingRows(std::int64_t radius) {
    std::vector<RingRow> rows(static_cast<std::size_t>(radius) + 1);
    const auto r2 = static_cast<std::uint64_t>(radius * radius);
    const auto outside2 = static_cast<std::uint64_t>((radius + 1) * (radius + 1));
    for (std::int64_t dy = 0; dy <= radius; ++dy) {
        const auto dy2 = static_cast<std::uint64_t>(dy * dy);
        // The smallest |dx| with dx^2 + dy^2 >= radius^2, and the largest with dx^2 + dy^2 < (radius + 1)^2.
        const std::int64_t inner = dy2 >= r2 ? 0 : static_cast<std::int64_t>(IntegerSquareRoot(r2 - dy2 - 1)) + 1;
        const auto outer = static_cast<std::int64_t>(IntegerSquareRoot(outside2 - dy2 - 1));
        rows[static_cast<std::size_t>(dy)] = {inner, outer};
    }
    return rows;
}

// Adds one to the columns from .. to of a row, clipped to the image; the
// byte wraps as the counter's low byte does.
void CountRun(std::uint8_t* row, std::int64_t from, std::int64_t to, std::int64_t width) {
    from = std::max<std::int64_t>(from, 0);
    to = std::min(to, width - 1);
    for (std::int64_t a = from; a <= to; ++a) ++row[a];
}

}  // namespace

PixelArray CirclePlane(const EdgePoints& edges, std::int32_t width, std::int32_t height, std::int32_t radius) {
    const std::size_t w = static_cast<std::size_t>(std::max(width, 0));
    PixelArray plane = PixelArray::Filled(w * static_cast<std::size_t>(std::max(height, 0)), 0);
    if (radius < 1) return plane;
    const std::vector<RingRow> ring = RingRows(radius);
    for (std::int32_t py = 0; py < edges.height(); ++py) {
        const std::int64_t firstRow = std::max<std::int64_t>(std::int64_t{py} - radius, 0);
        const std::int64_t lastRow = std::min<std::int64_t>(std::int64_t{py} + radius, height - 1);
        for (const std::int32_t px : edges.row(py)) {
            for (std::int64_t b = firstRow; b <= lastRow; ++b) {
                const RingRow& offsets = ring[static_cast<std::size_t>(b > py ? b - py : py - b)];
                std::uint8_t* row = plane.data() + static_cast<std::size_t>(b) * w;
                if (offsets.inner == 0) {
                    CountRun(row, px - offsets.outer, px + offsets.outer, width);
                } else {
                    CountRun(row, px - offsets.outer, px - offsets.inner, width);
                    CountRun(row, px + offsets.inner, px + offsets.outer, width);
                }
            }
        }
    }
    return plane;
}

}  // namespace lumagrove
