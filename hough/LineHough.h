#pragma once

#include <cstdint>

#include "base/ImageView.h"
#include "base/PixelArray.h"
#include "hough/HoughTransform.h"
#include "hough/LineAccumulator.h"

namespace lumagrove {

// Finds straight lines by a distance-angle Hough transform over the edge
// pixels of an image.

// The pi of every angle here, to nine decimals on purpose.
inline constexpr double kLinePi = 3.141592654;
// The edges the line commands vote with unless the menu says otherwise.
inline constexpr EdgeSettings kLineEdges{.threshold = 12, .direction = 10};

// Sine and cosine of t - 180 degrees for every angle t the votes hold.
struct LineAngleTables {
    LineAccumulator::Table sin{};
    LineAccumulator::Table cos{};
};
const LineAngleTables& LineAngles();

// The vote counters as a plane 360 wide and trunc(sqrt(width^2 + height^2))
// high, whose size is written to the two outputs.
PixelArray LineHoughSpace(ImageView image, const EdgeSettings& edges, std::int32_t& outWidth, std::int32_t& outHeight);

// Every line found, drawn into an overlay of the image's size.
PixelArray DetectLines(ImageView image, const EdgeSettings& edges);

// Draws the line at the given distance from the centre of the width x height
// overlay and angle (radians), dotted: of the pixels along the walk that lie
// inside the image, the first of each pair is set, and a last pixel without a
// partner is not.
void DrawLine(PixelArray& overlay, std::int32_t width, std::int32_t height, float distance, float angle);

}  // namespace lumagrove
