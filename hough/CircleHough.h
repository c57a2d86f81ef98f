#pragma once

#include <cstdint>

#include "base/ImageView.h"
#include "base/PixelArray.h"
#include "hough/HoughTransform.h"

namespace lumagrove {

// Finds small circles, radii 4 to 11, by a centre-radius Hough transform over
// the edge pixels of an image, and draws each as a ring two pixels thick.
//
// The votes are defined for every radius of the image's width / 2 radius
// planes, but no result looks beyond radius 15, so they are never stored
// whole: detection builds the radii 0 to 15 a band of rows at a time, and the
// Hough space view counts the one radius it shows.

// The edges the circle commands vote with unless the menu says otherwise.
inline constexpr EdgeSettings kCircleEdges{.threshold = 25};

// One radius plane of the votes, each count modulo 256, of the image's size.
// A radius outside 0 .. width / 2 - 1 shows the largest one held; an image
// without radius planes (narrower than 2 pixels) gives an all-zero plane.
PixelArray CircleHoughSpace(ImageView image, const EdgeSettings& edges, std::int32_t radius);

// Every circle found, drawn into an overlay of the image's size at its radius
// and one more.
PixelArray DetectCircles(ImageView image, const EdgeSettings& edges);

// Draws a circle into the width x height overlay by the midpoint rule,
// without the four points where it starts (straight above, below, left and
// right of the centre), and only when it lies wholly inside the image. Only
// its points on rows firstRow <= y < endRow are set: a band of rows draws its
// part of every circle on its own.
void DrawCircle(PixelArray& overlay, std::int32_t width, std::int32_t height, std::int32_t cx, std::int32_t cy,
                std::int32_t r, std::int32_t firstRow = 0, std::int32_t endRow = INT32_MAX);

}  // namespace lumagrove
