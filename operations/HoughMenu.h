#pragma once

#include <cstdint>
#include <utility>

#include "operations/Operation.h"

namespace lumagrove {

// The menu's "using direction info" entries look only for edges near
// 100 degrees (or the opposite way), with a gradient threshold of their own.
inline constexpr std::int32_t kMenuDirection = 100;
inline constexpr std::int32_t kMenuEdgeThreshold = 20;

enum class Shown { DrawingOnly, OverOriginal };

// Detection as the line and circle entries run it: on the transform's own
// edge settings, or on the menu's direction settings.
template <typename Hough>
OperationResult DetectAndShow(ImageView source, bool byDirection, Shown shown) {
    Hough hough;
    hough.setImage(source.pixels, source.width, source.height);
    if (byDirection) {
        hough.useDirection = 1;
        hough.direction = kMenuDirection;
        hough.edgeThreshold = kMenuEdgeThreshold;
    }
    hough.detect();
    PixelArray shownPixels = shown == Shown::DrawingOnly ? hough.overlayImage() : hough.superimposedImage();
    return ImageResult(std::move(shownPixels), hough.width, hough.height);
}

}  // namespace lumagrove
