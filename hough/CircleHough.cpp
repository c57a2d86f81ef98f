#include "hough/CircleHough.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "base/Bands.h"
#include "hough/CirclePeaks.h"
#include "hough/CirclePlane.h"

namespace lumagrove {

PixelArray CircleHoughSpace(ImageView image, const EdgeSettings& edges, std::int32_t radius) {
    const std::int32_t radiusCount = image.width / 2;
    if (radius < 0 || radius > radiusCount - 1) radius = radiusCount - 1;
    return CirclePlane(FindEdges(image, edges), image.width, image.height, radius);
}

PixelArray DetectCircles(ImageView image, const EdgeSettings& edges) {
    struct Circle {
        std::int32_t r;
        std::int32_t a;
        std::int32_t b;
    };
    std::vector<Circle> circles;
    FindCirclePeaks(FindEdges(image, edges), image.width, image.height, image.width / 2,
                    [&](std::int32_t r, std::int32_t a, std::int32_t b) {
                        circles.push_back({r, a, b});
                    });

    // A circle only ever sets pixels, so each band of rows can draw its part
    // of every circle that reaches it, in any order, with the same bytes.
    // The peaks come row by row, so the circles that can reach a band's rows
    // are a run of the list: those centred no further away than the largest
    // ring drawn.
    constexpr std::int32_t kLargestRing = kLargestPeakRadius + 1;
    const auto w = static_cast<std::size_t>(std::max(image.width, 0));
    PixelArray overlay(image.pixels.size());
    ForEachBand(image.height, MinimumBandRows(image.width), [&](std::ptrdiff_t begin, std::ptrdiff_t end) {
        const auto firstRow = static_cast<std::int32_t>(begin);
        const auto endRow = static_cast<std::int32_t>(end);
        std::memset(overlay.data() + static_cast<std::size_t>(begin) * w, 0, static_cast<std::size_t>(end - begin) * w);
        const auto reaching =
            std::lower_bound(circles.begin(), circles.end(), firstRow,
                             [](const Circle& circle, std::int32_t row) { return circle.b + kLargestRing < row; });
        for (auto circle = reaching; circle != circles.end() && circle->b - kLargestRing < endRow; ++circle) {
            DrawCircle(overlay, image.width, image.height, circle->a, circle->b, circle->r, firstRow, endRow);
            DrawCircle(overlay, image.width, image.height, circle->a, circle->b, circle->r + 1, firstRow, endRow);
        }
    });
    return overlay;
}

}  // namespace lumagrove
