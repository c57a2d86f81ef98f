#include "imaging/PixelBuffer.h"

namespace lumagrove {

// Both loops are kept branch-free and byte-wide so that the compiler turns
// them into vector code; at full size they run at memory bandwidth.

PixelArray PixelBuffer::negate() const {
    PixelArray result(static_cast<std::size_t>(count));
    const std::uint8_t* in = pixels.data();
    std::uint8_t* out = result.data();
    for (std::int32_t i = 0; i < count; ++i) out[i] = static_cast<std::uint8_t>(255 - in[i]);
    return result;
}

PixelArray PixelBuffer::binarize(std::int32_t threshold) const {
    PixelArray result(static_cast<std::size_t>(count));
    std::uint8_t* out = result.data();
    // Outside 0..254 the answer no longer depends on the pixel.
    if (threshold < 0 || threshold > 254) {
        const std::uint8_t value = threshold < 0 ? 255 : 0;
        for (std::int32_t i = 0; i < count; ++i) out[i] = value;
        return result;
    }
    const std::uint8_t* in = pixels.data();
    const auto limit = static_cast<std::uint8_t>(threshold);
    for (std::int32_t i = 0; i < count; ++i) out[i] = in[i] > limit ? 255 : 0;
    return result;
}

}  // namespace lumagrove
