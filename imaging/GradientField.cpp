#include "imaging/GrayImage.h"
#include "imaging/Sobel.h"

namespace lumagrove {

std::vector<GradientSample> GrayImage::gradientField() const {
    const auto size = static_cast<std::ptrdiff_t>(pixels.size());
    const std::ptrdiff_t w = width;
    const std::uint8_t* p = pixels.data();
    // Value-initialised: the pixels outside the span keep magnitude 0, angle 0.
    std::vector<GradientSample> field(pixels.size());

    const sobel::Span span = sobel::ComputedSpan(w, size);
    for (std::ptrdiff_t i = span.begin; i < span.end; ++i) {
        const int gx = sobel::Gx(p, i, w);
        const int gy = sobel::Gy(p, i, w);
        field[i] = {sobel::Magnitude(sobel::ScaledSquare(gx, gy)), sobel::AngleDegrees(gx, gy)};
    }
    return field;
}

}  // namespace lumagrove
