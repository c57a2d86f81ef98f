#include "imaging/GrayImage.h"
#include "imaging/Sobel.h"
#include "imaging/VectorClones.h"

namespace lumagrove {

LUMAGROVE_VECTOR_CLONES PixelArray GrayImage::gradientImage() const {
    const auto size = static_cast<std::ptrdiff_t>(pixels.size());
    const std::ptrdiff_t w = width;
    const std::uint8_t* p = pixels.data();
    PixelArray result(pixels.size());
    std::uint8_t* out = result.data();

    const sobel::Span span = sobel::ComputedSpan(w, size);
    sobel::FillOutside<std::uint8_t>(span, out, size, 0);
    for (std::ptrdiff_t i = span.begin; i < span.end; ++i) {
        const int square = sobel::ScaledSquare(sobel::Gx(p, i, w), sobel::Gy(p, i, w));
        out[i] = static_cast<std::uint8_t>(sobel::Magnitude(square));
    }
    return result;
}

}  // namespace lumagrove
