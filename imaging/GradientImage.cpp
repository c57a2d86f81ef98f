#include "base/Bands.h"
#include "imaging/EdgeDetection.h"
#include "imaging/Sobel.h"
#include "imaging/VectorClones.h"

namespace lumagrove {
namespace {

LUMAGROVE_VECTOR_CLONES void Magnitudes(const std::uint8_t* p, std::ptrdiff_t w, std::uint8_t* out,
                                        std::ptrdiff_t begin, std::ptrdiff_t end) {
    for (std::ptrdiff_t i = begin; i < end; ++i) {
        const int square = sobel::ScaledSquare(sobel::Gx(p, i, w), sobel::Gy(p, i, w));
        out[i] = static_cast<std::uint8_t>(sobel::Magnitude(square));
    }
}

}  // namespace

PixelArray GradientImage(ImageView image) {
    const auto size = static_cast<std::ptrdiff_t>(image.pixels.size());
    const std::ptrdiff_t w = image.width;
    const std::uint8_t* p = image.pixels.data();
    PixelArray result(image.pixels.size());
    std::uint8_t* out = result.data();

    const sobel::Span span = sobel::ComputedSpan(w, size);
    sobel::FillOutside<std::uint8_t>(span, out, size, 0);
    ForEachSpan(static_cast<std::size_t>(span.end - span.begin), [&](std::ptrdiff_t begin, std::ptrdiff_t end) {
        Magnitudes(p, w, out, span.begin + begin, span.begin + end);
    });
    return result;
}

}  // namespace lumagrove
