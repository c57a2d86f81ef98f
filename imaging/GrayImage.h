#pragma once

#include <cstdint>

#include "imaging/PixelArray.h"

namespace lumagrove {

// A private copy of an image with its geometry, for operations that look at
// neighbours or regions.
struct GrayImage {
    PixelArray pixels;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t count = 0;

    GrayImage(const std::uint8_t* source, std::int32_t width, std::int32_t height);
};

}  // namespace lumagrove
