#pragma once

#include <utility>

#include "hough/HoughTransform.h"
#include "operations/Operation.h"

namespace lumagrove {

// The menu's "using direction info" entries look only for edges near
// 100 degrees (or the opposite way), with a gradient threshold of their own.
inline constexpr EdgeSettings kMenuDirectionEdges{.threshold = 20, .direction = 100, .byDirection = true};

// A detection shown on its own or over the image it came from.
inline OperationResult DrawingOnly(ImageView source, PixelArray overlay) {
    return ImageResult(std::move(overlay), source);
}
inline OperationResult OverOriginal(ImageView source, const PixelArray& overlay) {
    return ImageResult(Superimposed(source, overlay), source);
}

}  // namespace lumagrove
