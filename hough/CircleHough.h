#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "hough/EdgePoints.h"
#include "hough/HoughTransform.h"

namespace lumagrove {

// Finds small circles, radii 4 to 11, by a centre-radius Hough transform over
// the edge pixels of an image, and draws each as a ring two pixels thick.
// One object serves one command, like LineHough.
//
// The votes are defined for every radius the image holds, but no result
// looks beyond radius 15, so they are never stored whole: detection builds
// the radii 0 to 15 a band of rows at a time, and the Hough space view counts
// the one radius it shows.
struct CircleHough : HoughTransform {
    std::int32_t radiusCount = 0;    // radius planes the votes hold: width / 2
    std::int32_t centreColumns = 0;  // width
    std::int32_t centreRows = 0;     // height
    std::int32_t edgeThreshold = 25;
    std::int32_t direction = 0;  // read only with a non-zero useDirection
    std::int32_t useDirection = 0;

    void setImage(std::span<const std::uint8_t> source, std::int32_t width, std::int32_t height);

    // One radius plane of the votes, each count modulo 256, with the input's
    // size written to the two outputs. A radius outside 0 .. radiusCount - 1
    // shows the largest one held; an image without radius planes (narrower
    // than 2 pixels) gives an all-zero plane.
    PixelArray houghSpace(std::int32_t radius, std::int32_t& outWidth, std::int32_t& outHeight);

    // Draws every circle found into the overlay, at its radius and one more.
    void detect();

    // Draws a circle by the midpoint rule, without the four points where it
    // starts (straight above, below, left and right of the centre), and only
    // when it lies wholly inside the image.
    void drawCircle(std::int32_t cx, std::int32_t cy, std::int32_t r);

private:
    // The edge settings count only until the votes are first needed.
    const EdgePoints& votes();

    // What the votes are counted from.
    std::optional<EdgePoints> accumulator;
};

}  // namespace lumagrove
