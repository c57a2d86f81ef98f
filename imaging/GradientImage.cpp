#include "imaging/EdgeDetection.h"
#include "imaging/Sobel.h"
#include "imaging/VectorClones.h"

namespace lumagrove {

LUMAGROVE_VECTOR_CLONES PixelArray GradientImage(ImageView image) {
    const auto size = static_cast<std::ptrdiff_t>(image.pixels.size());
    const std::ptrdiff_t w = image.width;
    const std::uint8_t* p = image.pixels.data();
    PixelArray result(image.pixels.size());
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
