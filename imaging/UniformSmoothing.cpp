#include <algorithm>
#include <cstring>
#include <vector>

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
    // Finding the divisor's multiplier takes a while; each band copies it.
    const BoxSum sharedBox(window);
    // Row y of the horizontal pass: the input's margins, the means between.
    const auto smoothAcross = [&](BoxSum& box, std::ptrdiff_t y, std::uint8_t* row) {
        std::memcpy(row, source.data() + y * w, static_cast<std::size_t>(w));
        if (horizontal) box.across(source.data() + y * w + n - half, row + n, w - 2 * n);
    };
    // The rows the vertical pass reaches (n to h - n) take it from a band's
    // own horizontal rows, which cover the band and the half window around
    // it; the top and bottom rows it does not reach keep the horizontal
    // means, written straight into the output. No second image is needed.
    const std::ptrdiff_t reachedFirst = vertical ? n : h;
    const std::ptrdiff_t reachedEnd = vertical ? h - n : h;
    // Each band smooths 2 * half rows more than it keeps: bands of 16 windows
    // or more keep that small.
    ForEachBand(h, std::max(MinimumBandRows(w), 16 * n), [&](std::ptrdiff_t begin, std::ptrdiff_t end) {
        BoxSum box = sharedBox;
        const std::ptrdiff_t first = std::min(std::max(begin, reachedFirst), end);
        const std::ptrdiff_t last = std::max(std::min(end, reachedEnd), first);
        for (std::ptrdiff_t y = begin; y < first; ++y) smoothAcross(box, y, output.data() + y * w);
        for (std::ptrdiff_t y = last; y < end; ++y) smoothAcross(box, y, output.data() + y * w);
        if (first >= last) return;
        std::vector<std::uint8_t> rows(static_cast<std::size_t>((last - first + 2 * half) * w));
        for (std::ptrdiff_t y = first - half; y < last + half; ++y) {
            smoothAcross(box, y, rows.data() + (y - first + half) * w);
        }
        // Row k of `rows` is row first - half + k of the image.
        box.down(rows.data(), w, half, half + last - first, output.data() + (first - half) * w);
    });
    return output;
}

}  // namespace lumagrove
