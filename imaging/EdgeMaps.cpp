#include <algorithm>
#include <array>

#include "base/Bands.h"
#include "imaging/EdgeDetection.h"
#include "imaging/Sobel.h"
#include "imaging/VectorClones.h"

namespace lumagrove {
namespace {

// magnitude > threshold, asked of the floored square: for a threshold t >= 0
// the magnitude exceeds t exactly when the square reaches (t + 1)^2. A
// threshold of 255 or more is out of reach of any magnitude.
int SquareLimit(std::int32_t threshold) {
    if (threshold < 0) return 0;
    const int reach = std::min(threshold, 255) + 1;
    return reach * reach;
}

// Whether each angle from -179 to 179 lies less than 10 degrees from the
// direction or from its opposite. Bounds are worked out in 64 bits so that
// any direction a user types is safe.
class DirectionWindow {
public:
    explicit DirectionWindow(std::int32_t direction) {
        const std::int64_t d = direction;
        for (std::int64_t a = -179; a <= 179; ++a) {
            near_[a + 179] = (d - 10 < a && a < d + 10) || (d - 190 < a && a < d - 170) || (d + 170 < a && a < d + 190);
        }
    }
    bool contains(int angle) const { return near_[angle + 179]; }

private:
    std::array<bool, 359> near_{};
};

LUMAGROVE_VECTOR_CLONES void MarkStrong(const std::uint8_t* p, std::ptrdiff_t w, int limit, std::uint8_t* out,
                                        std::ptrdiff_t begin, std::ptrdiff_t end) {
    for (std::ptrdiff_t i = begin; i < end; ++i) {
        out[i] = sobel::ScaledSquare(sobel::Gx(p, i, w), sobel::Gy(p, i, w)) >= limit ? 255 : 0;
    }
}

// The angle costs an arc tangent, so it is only asked of strong gradients.
void MarkStrongAlong(const std::uint8_t* p, std::ptrdiff_t w, int limit, const DirectionWindow& window,
                     std::uint8_t* out, std::ptrdiff_t begin, std::ptrdiff_t end) {
    for (std::ptrdiff_t i = begin; i < end; ++i) {
        const int gx = sobel::Gx(p, i, w);
        const int gy = sobel::Gy(p, i, w);
        out[i] = sobel::ScaledSquare(gx, gy) >= limit && window.contains(sobel::AngleDegrees(gx, gy)) ? 255 : 0;
    }
}

// Every pixel of the span on its own: bands of any size give the same bytes.
template <typename Mark>
void MarkSpan(sobel::Span span, const Mark& mark) {
    ForEachSpan(static_cast<std::size_t>(span.end - span.begin),
                [&](std::ptrdiff_t begin, std::ptrdiff_t end) { mark(span.begin + begin, span.begin + end); });
}

}  // namespace

PixelArray EdgesByGradient(ImageView image, std::int32_t threshold) {
    const auto size = static_cast<std::ptrdiff_t>(image.pixels.size());
    const std::ptrdiff_t w = image.width;
    const std::uint8_t* p = image.pixels.data();
    PixelArray result(image.pixels.size());
    std::uint8_t* out = result.data();

    const int limit = SquareLimit(threshold);
    const sobel::Span span = sobel::ComputedSpan(w, size);
    sobel::FillOutside<std::uint8_t>(span, out, size, 0 >= limit ? 255 : 0);
    MarkSpan(span, [&](std::ptrdiff_t begin, std::ptrdiff_t end) { MarkStrong(p, w, limit, out, begin, end); });
    return result;
}

PixelArray EdgesByDirection(ImageView image, std::int32_t threshold, std::int32_t direction) {
    const auto size = static_cast<std::ptrdiff_t>(image.pixels.size());
    const std::ptrdiff_t w = image.width;
    const std::uint8_t* p = image.pixels.data();
    PixelArray result(image.pixels.size());
    std::uint8_t* out = result.data();

    const int limit = SquareLimit(threshold);
    const DirectionWindow window(direction);
    const sobel::Span span = sobel::ComputedSpan(w, size);
    sobel::FillOutside<std::uint8_t>(span, out, size, 0 >= limit && window.contains(0) ? 255 : 0);
    MarkSpan(span,
             [&](std::ptrdiff_t begin, std::ptrdiff_t end) { MarkStrongAlong(p, w, limit, window, out, begin, end); });
    return result;
}

}  // namespace lumagrove
