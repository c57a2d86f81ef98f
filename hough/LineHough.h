#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "hough/HoughTransform.h"
#include "hough/LineAccumulator.h"

namespace lumagrove {

// Finds straight lines by a distance-angle Hough transform over the edge
// pixels of an image. One object serves one command: setImage, optionally
// the edge settings, then houghSpace or detect and one of the results.
struct LineHough : HoughTransform {
    std::int32_t thetaCount = 0;        // 360 once the votes are counted
    std::int32_t rhoCount = 0;          // trunc(sqrt(width^2 + height^2)) once the votes are counted
    LineAccumulator::Table sinTable{};  // sine of t - 180 degrees
    LineAccumulator::Table cosTable{};
    double pi = 3.141592654;  // the pi of every angle here, to nine decimals on purpose
    std::int32_t edgeThreshold = 12;
    std::int32_t direction = 10;
    std::int32_t useDirection = 0;

    LineHough();

    void setImage(std::span<const std::uint8_t> source, std::int32_t width, std::int32_t height);

    // The vote counters as a plane 360 wide and rhoCount high, whose size is
    // written to the two outputs.
    PixelArray houghSpace(std::int32_t& outWidth, std::int32_t& outHeight);

    // Draws every line found into the overlay.
    void detect();

    // Draws the line at the given distance from the image centre and angle
    // (radians) into the overlay, dotted: of the pixels along the walk that
    // lie inside the image, the first of each pair is set, and a last pixel
    // without a partner is not.
    void drawLine(float distance, float angle);

private:
    // The edge settings count only until the votes are first needed.
    const LineAccumulator& votes();

    std::optional<LineAccumulator> accumulator;
};

}  // namespace lumagrove
