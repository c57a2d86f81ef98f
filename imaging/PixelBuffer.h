#pragma once

#include <cstdint>

#include "base/PixelArray.h"

namespace lumagrove {

// A private copy of an image seen as a flat run of samples, for operations
// that map each pixel by its own value alone.
struct PixelBuffer {
    PixelArray pixels;
    std::int32_t count = 0;

    PixelBuffer(const std::uint8_t* source, std::int32_t width, std::int32_t height);

    PixelArray negate() const;
    PixelArray binarize(std::int32_t threshold) const;
};

}  // namespace lumagrove
