#include "hough/CircleHough.h"

#include "hough/CirclePeaks.h"
#include "hough/CirclePlane.h"

namespace lumagrove {

void CircleHough::setImage(std::span<const std::uint8_t> source, std::int32_t width, std::int32_t height) {
    storeImage(source, width, height);
    radiusCount = this->width / 2;
    centreColumns = this->width;
    centreRows = this->height;
}

const EdgePoints& CircleHough::votes() {
    if (!accumulator) accumulator.emplace(findEdges(edgeThreshold, direction, useDirection));
    return *accumulator;
}

PixelArray CircleHough::houghSpace(std::int32_t radius, std::int32_t& outWidth, std::int32_t& outHeight) {
    if (radius < 0 || radius > radiusCount - 1) radius = radiusCount - 1;
    outWidth = width;
    outHeight = height;
    return CirclePlane(votes(), width, height, radius);
}

void CircleHough::detect() {
    FindCirclePeaks(votes(), width, height, radiusCount, [&](std::int32_t r, std::int32_t a, std::int32_t b) {
        drawCircle(a, b, r);
        drawCircle(a, b, r + 1);
    });
}

}  // namespace lumagrove
