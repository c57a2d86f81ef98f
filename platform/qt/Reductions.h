#pragma once

#include <vector>

#include <QImage>

namespace lumagrove::platform::backend {

// How far a picture is ever shown reduced: 1/2^kMostHalvings.
inline constexpr int kMostHalvings = 8;

// An 8-bit grey picture halved again and again: each level averages 2 x 2
// pixels of the one before (fewer at an odd edge), until a level is one pixel
// or kMostHalvings levels exist. Showing a picture reduced from the level
// nearest in size keeps it smooth and costs time in proportion to the pixels
// shown, not to the picture. Stops early when memory runs out.
std::vector<QImage> HalvingsOf(const QImage& gray);

}  // namespace lumagrove::platform::backend
