#pragma once

#include <cstdint>
#include <span>

#include "base/PixelArray.h"
#include "hough/EdgePoints.h"

namespace lumagrove {

// What the line and the circle transform share: a private copy of the input,
// the overlay that detection draws into, and the two ways of showing it.
// Each transform keeps its own vote table, whose layout only it knows.
struct HoughTransform {
    PixelArray pixels;   // the input, width x height
    PixelArray overlay;  // 255 where detection drew, 0 elsewhere; never cleared
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t count = 0;

    // A copy of the overlay.
    PixelArray overlayImage() const;
    // The input with every drawn pixel set to 255.
    PixelArray superimposedImage() const;

protected:
    // Takes a copy of the caller's plane and starts an empty overlay; refuses
    // sides that do not describe the plane (see CheckedPixelCount).
    void storeImage(std::span<const std::uint8_t> source, std::int32_t width, std::int32_t height);
    // The edge pixels of the input: strong gradients, or with a non-zero
    // useDirection only those near the direction or its opposite.
    EdgePoints findEdges(std::int32_t edgeThreshold, std::int32_t direction, std::int32_t useDirection) const;
};

}  // namespace lumagrove
