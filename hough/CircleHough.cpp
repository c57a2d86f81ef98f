#include "hough/CircleHough.h"

#include "hough/CirclePeaks.h"
#include "hough/CirclePlane.h"

namespace lumagrove {

PixelArray CircleHoughSpace(ImageView image, const EdgeSettings& edges, std::int32_t radius) {
    const std::int32_t radiusCount = image.width / 2;
    if (radius < 0 || radius > radiusCount - 1) radius = radiusCount - 1;
    return CirclePlane(FindEdges(image, edges), image.width, image.height, radius);
}

PixelArray DetectCircles(ImageView image, const EdgeSettings& edges) {
    PixelArray overlay = PixelArray::Filled(image.pixels.size(), 0);
    FindCirclePeaks(FindEdges(image, edges), image.width, image.height, image.width / 2,
                    [&](std::int32_t r, std::int32_t a, std::int32_t b) {
                        DrawCircle(overlay, image.width, image.height, a, b, r);
                        DrawCircle(overlay, image.width, image.height, a, b, r + 1);
                    });
    return overlay;
}

}  // namespace lumagrove
