#include "imaging/EdgeDetection.h"
#include "imaging/Sobel.h"

namespace lumagrove {

std::vector<GradientSample> GradientField(ImageView image) {
    const auto size = static_cast<std::ptrdiff_t>(image.pixels.size());
    const std::ptrdiff_t w = image.width;
    const std::uint8_t* p = image.pixels.data();
    // Value-initialised: the pixels outside the span keep magnitude 0, angle 0.
    std::vector<GradientSample> field(image.pixels.size());

    const sobel::Span span = sobel::ComputedSpan(w, size);
    for (std::ptrdiff_t i = span.begin; i < span.end; ++i) {
        const int gx = sobel::Gx(p, i, w);
        const int gy = sobel::Gy(p, i, w);
        field[i] = {sobel::Magnitude(sobel::ScaledSquare(gx, gy)), sobel::AngleDegrees(gx, gy)};
    }
    return field;
}

}  // namespace lumagrove
