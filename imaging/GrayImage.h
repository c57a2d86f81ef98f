#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "base/PixelArray.h"
#include "imaging/GradientSample.h"

namespace lumagrove {

// A private copy of an image with its geometry, for operations that look at
// neighbours or regions. Fixed at construction, which refuses sides that do
// not describe the source (see CheckedPixelCount).
struct GrayImage {
    const PixelArray pixels;
    const std::int32_t width;
    const std::int32_t height;
    const std::int32_t count;

    GrayImage(std::span<const std::uint8_t> source, std::int32_t width, std::int32_t height);

    // Smoothing.
    PixelArray smoothGaussian(double sigma, std::int32_t threshold) const;

    // Histogram equalization. An area is the columns x1 <= x < x2 of the rows
    // y1 <= y < y2, corners in any order, clipped to the image; its histogram
    // is taken from `buffer`, which has the image's size.
    PixelArray equalizeGlobal() const;
    PixelArray equalizeArea(const std::uint8_t* buffer, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                            std::int32_t y2) const;
    void equalizeAreaInPlace(std::uint8_t* buffer, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                             std::int32_t y2) const;
    PixelArray equalizeFourAreas() const;
    PixelArray equalizeSixteenAreas() const;

    // Edge detection. Pixels the 3 x 3 operator does not reach (the first row
    // and a pixel, the last row and a pixel) have magnitude 0 and angle 0.
    PixelArray gradientImage() const;
    std::vector<GradientSample> gradientField() const;
    PixelArray edgesByGradient(std::int32_t threshold) const;
    PixelArray edgesByDirection(std::int32_t threshold, std::int32_t direction) const;
};

}  // namespace lumagrove
