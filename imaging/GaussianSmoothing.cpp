#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "base/Bands.h"
#include "imaging/GaussianKernel.h"
#include "imaging/Smoothing.h"
#include "imaging/TruncatedProductSum.h"
#include "imaging/VectorClones.h"

namespace lumagrove {
namespace {

// The fixed lift of 70 makes up for the darkening of the unnormalised
// kernel; where the lifted value strays more than the threshold from the
// input, the input is kept, which preserves strong edges. Written in bytes
// throughout so that the compiler handles sixteen pixels at a time.
LUMAGROVE_VECTOR_CLONES void LiftAndKeepEdges(std::uint8_t* row, const std::uint8_t* input, std::ptrdiff_t length,
                                              std::int32_t threshold) {
    // Differences run from 0 to 255: below 0 every pixel keeps its input.
    if (threshold < 0) {
        std::memcpy(row, input, static_cast<std::size_t>(length));
        return;
    }
    const auto limit = static_cast<std::uint8_t>(std::min(threshold, 255));
    for (std::ptrdiff_t k = 0; k < length; ++k) {
        const auto lifted = static_cast<std::uint8_t>(row[k] + 70);
        const auto difference = static_cast<std::uint8_t>(std::max(lifted, input[k]) - std::min(lifted, input[k]));
        row[k] = difference > limit ? input[k] : lifted;
    }
}

}  // namespace

PixelArray SmoothGaussian(ImageView image, double sigma, std::int32_t threshold) {
    const std::int64_t length = GaussianLength(sigma);
    // Too small a sigma for even one weight: the image is returned unchanged.
    if (length == 0) return PixelArray::CopyOf(image.pixels.data(), image.pixels.size());

    const std::ptrdiff_t w = image.width > 0 ? image.width : 0;
    const std::ptrdiff_t h = image.height > 0 ? image.height : 0;
    const std::uint8_t* src = image.pixels.data();
    PixelArray result(image.pixels.size());
    std::uint8_t* out = result.data();

    // A kernel longer than a side leaves that pass without effect, and either
    // pass alone sums nothing but zeros into the result: the kernel is only
    // built when it fits both sides.
    const std::ptrdiff_t n = static_cast<std::ptrdiff_t>(length);
    const std::ptrdiff_t half = (n - 1) / 2;
    std::optional<TruncatedProductSum> kernel;
    if (n <= w && n <= h) kernel.emplace(GaussianWeights(sigma, length));

    // The vertical pass needs only n horizontal rows at a time, so each band
    // keeps them in a ring of n rows that stays in the cache rather than in a
    // second image. A band recomputes the n - 1 rows before its first, so its
    // bytes do not depend on where it starts.
    ForEachBand(h, std::max(MinimumBandRows(w), 16 * n), [&](std::ptrdiff_t begin, std::ptrdiff_t end) {
        std::vector<std::uint8_t> ring(kernel ? static_cast<std::size_t>(n * w) : 0);
        std::vector<const std::uint8_t*> taps(kernel ? static_cast<std::size_t>(n) : 0);
        const auto ringRow = [&](std::ptrdiff_t y) { return ring.data() + (y % n) * w; };
        // Horizontal pass of one row; the columns it cannot reach are 0.
        const auto smoothAcross = [&](std::ptrdiff_t y) {
            std::uint8_t* row = ringRow(y);
            std::fill(row, row + half, 0);
            for (std::ptrdiff_t j = 0; j < n; ++j) taps[j] = src + y * w + j;
            kernel->apply(taps, row + half, w - 2 * half);
            std::fill(row + w - half, row + w, 0);
        };
        const std::ptrdiff_t firstSmoothed = std::max(begin, half);
        if (kernel && firstSmoothed < std::min(end, h - half)) {
            for (std::ptrdiff_t y = firstSmoothed - half; y < firstSmoothed - half + n - 1; ++y) smoothAcross(y);
        }
        // Vertical pass over every column; the rows it cannot reach are 0.
        // Each row is finished while it is still in the cache.
        for (std::ptrdiff_t y = begin; y < end; ++y) {
            std::uint8_t* row = out + y * w;
            if (kernel && y >= half && y < h - half) {
                smoothAcross(y + half);
                for (std::ptrdiff_t j = 0; j < n; ++j) taps[j] = ringRow(y - half + j);
                kernel->apply(taps, row, w);
            } else {
                std::memset(row, 0, static_cast<std::size_t>(w));
            }
            LiftAndKeepEdges(row, src + y * w, w, threshold);
        }
    });
    return result;
}

}  // namespace lumagrove
