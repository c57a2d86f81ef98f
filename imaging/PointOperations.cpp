#include <cstddef>

#include "base/Bands.h"
#include "imaging/PointOperations.h"
#include "imaging/VectorClones.h"

namespace lumagrove {
namespace {

// The loops are kept branch-free and byte-wide so that the compiler turns
// them into vector code.
LUMAGROVE_VECTOR_CLONES
void NegateBytes(const std::uint8_t* in, std::uint8_t* out, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) out[i] = static_cast<std::uint8_t>(255 - in[i]);
}

LUMAGROVE_VECTOR_CLONES
void ThresholdBytes(const std::uint8_t* in, std::uint8_t* out, std::size_t count, std::uint8_t limit) {
    for (std::size_t i = 0; i < count; ++i) out[i] = in[i] > limit ? 255 : 0;
}

}  // namespace

PixelArray Negate(ImageView image) {
    PixelArray result(image.pixels.size());
    ForEachSpan(result.size(), [&](std::ptrdiff_t begin, std::ptrdiff_t end) {
        NegateBytes(image.pixels.data() + begin, result.data() + begin, static_cast<std::size_t>(end - begin));
    });
    return result;
}

PixelArray Binarize(ImageView image, std::int32_t threshold) {
    const std::size_t size = image.pixels.size();
    // Outside 0..254 the answer no longer depends on the pixel.
    if (threshold < 0 || threshold > 254) return PixelArray::Filled(size, threshold < 0 ? 255 : 0);
    PixelArray result(size);
    ForEachSpan(size, [&](std::ptrdiff_t begin, std::ptrdiff_t end) {
        ThresholdBytes(image.pixels.data() + begin, result.data() + begin, static_cast<std::size_t>(end - begin),
                       static_cast<std::uint8_t>(threshold));
    });
    return result;
}

}  // namespace lumagrove
