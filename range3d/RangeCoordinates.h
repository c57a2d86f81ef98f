#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "base/PixelArray.h"

namespace lumagrove {

// The scanner's rays are calibrated for exactly this many pixels a side, so a
// range image has no other size.
inline constexpr std::int32_t kRangeSide = 128;
inline constexpr std::size_t kRangePixels = static_cast<std::size_t>(kRangeSide) * kRangeSide;

// The 3-D point each pixel of a range image sees, as three row-major planes of
// kRangePixels values (point (c, r) at index r * kRangeSide + c). The planes
// start at zero.
struct RangeCoordinates {
    std::unique_ptr<double[]> x = std::make_unique<double[]>(kRangePixels);
    std::unique_ptr<double[]> y = std::make_unique<double[]>(kRangePixels);
    std::unique_ptr<double[]> z = std::make_unique<double[]>(kRangePixels);
};

// Places every pixel along its ray at the distance the pixel holds.
void RangeToCoordinates(std::span<const std::uint8_t, kRangePixels> pixels, RangeCoordinates& coordinates);

// Histograms the surface orientations of the central 80 x 80 points and returns
// a kRangeSide x kRangeSide label image: 255, 170 and 100 mark the pixels of
// three orientation classes, everything else is 0.
PixelArray LabelSurfaceOrientations(const RangeCoordinates& coordinates);

}  // namespace lumagrove
