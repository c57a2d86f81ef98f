#pragma once

#include <cstdint>
#include <span>

#include "base/PixelArray.h"

namespace lumagrove {

// A private copy of an image seen as a flat run of samples, for operations
// that map each pixel by its own value alone. Fixed at construction, which
// refuses sides that do not describe the source (see CheckedPixelCount).
struct PixelBuffer {
    const PixelArray pixels;
    const std::int32_t count;

    PixelBuffer(std::span<const std::uint8_t> source, std::int32_t width, std::int32_t height);

    PixelArray negate() const;
    PixelArray binarize(std::int32_t threshold) const;
};

}  // namespace lumagrove
