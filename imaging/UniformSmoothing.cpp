#include <cstring>

#include "base/Bands.h"
#include "imaging/BoxSum.h"
#include "imaging/Smoothing.h"

namespace lumagrove {

// The passes leave a margin of a whole window, not half of one, on each
// side. The columns the horizontal pass never computes keep the input, so
// the frame shows the input (top and bottom) or its vertical mean (left and
// right) rather than black.
PixelArray SmoothUniform(ImageView image, std::int32_t window) {
    const std::span<const std::uint8_t> source = image.pixels;
    PixelArray output(source.size());
    const std::ptrdiff_t w = image.width > 0 ? image.width : 0;
    const std::ptrdiff_t h = image.height > 0 ? image.height : 0;
    const std::ptrdiff_t n = window;
    // No window at all: nothing to average, the image comes back unchanged.
    if (n < 1) {
        std::memcpy(output.data(), source.data(), source.size());
        return output;
    }
    const std::ptrdiff_t half = n / 2;
    const bool horizontal = n < w - n;
    const bool vertical = n < h - n;
    // Each row is copied before its horizontal means overwrite the middle,
    // so that the margins keep the input.
    PixelArray across(source.size());
    // Finding the divisor's multiplier takes a while; each band copies it.
    const BoxSum sharedBox(window);
    const std::ptrdiff_t bandRows = MinimumBandRows(w);
    ForEachBand(h, bandRows, [&](std::ptrdiff_t begin, std::ptrdiff_t end) {
        std::memcpy(across.data() + begin * w, source.data() + begin * w, static_cast<std::size_t>((end - begin) * w));
        if (!horizontal) return;
        BoxSum box = sharedBox;
        for (std::ptrdiff_t y = begin; y < end; ++y) {
            box.across(source.data() + y * w + n - half, across.data() + y * w + n, w - 2 * n);
        }
    });
    if (vertical) {
        ForEachBand(h - 2 * n, bandRows, [&](std::ptrdiff_t begin, std::ptrdiff_t end) {
            BoxSum(sharedBox).down(across.data(), w, n + begin, n + end, output.data());
        });
    }
    // The top and bottom rows the vertical pass does not reach keep the horizontal means.
    const std::ptrdiff_t band = vertical ? n : h;
    std::memcpy(output.data(), across.data(), static_cast<std::size_t>(band * w));
    if (vertical)
        std::memcpy(output.data() + (h - n) * w, across.data() + (h - n) * w, static_cast<std::size_t>(n * w));
    return output;
}

}  // namespace lumagrove
