#include <algorithm>
#include <cstring>
#include <optional>
#include <span>
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
// throughout (the distance as the larger minus each, one of which is 0) so
// that the compiler handles a whole vector of pixels at a time.
LUMAGROVE_INLINE_BODY inline std::uint8_t LiftOrKeep(std::uint8_t smoothed, std::uint8_t input, std::uint8_t limit) {
    const auto lifted = static_cast<std::uint8_t>(smoothed + 70);
    const std::uint8_t larger = std::max(lifted, input);
    const auto distance = static_cast<std::uint8_t>((larger - lifted) | (larger - input));
    return distance > limit ? input : lifted;
}

// What the bands of one call share. `kernel` is null when the kernel is
// longer than a side: such a pass has no effect, and either pass alone sums
// nothing but zeros into the result.
struct GaussianPasses {
    const std::uint8_t* src;
    std::uint8_t* out;
    std::ptrdiff_t width;
    std::ptrdiff_t height;
    std::ptrdiff_t taps;
    const TruncatedProductSum* kernel;
    std::int32_t threshold;
};

// The vertical pass reads the products of the n horizontal rows centred on
// a row. Kept per row and factor, each product is made once, but the
// ring holding them grows with n times the factors (about n / 2): past this
// size it would leave the cache, and a long kernel rather keeps the rows
// alone and makes their products again for each row they meet.
constexpr std::ptrdiff_t kKeptProductsBytes = std::ptrdiff_t{1} << 20;

// Rows begin <= y < end of the result, in one function so that every step
// of a row is compiled for the same instruction set and the rows cost no
// calls. The vertical pass needs only n horizontal rows at a time, so the
// band keeps them in a ring that stays in the cache rather than in a second
// image. A band recomputes the n - 1 rows before its first, so its bytes do
// not depend on where it starts.
LUMAGROVE_VECTOR_CLONES void SmoothBand(const GaussianPasses& passes, std::ptrdiff_t begin, std::ptrdiff_t end) {
    const std::uint8_t* src = passes.src;
    const std::ptrdiff_t w = passes.width;
    const std::ptrdiff_t h = passes.height;
    const std::ptrdiff_t n = passes.taps;
    const std::ptrdiff_t half = (n - 1) / 2;
    const TruncatedProductSum* kernel = passes.kernel;
    // Distances run from 0 to 255: below 0 every pixel keeps its input.
    if (passes.threshold < 0) {
        std::memcpy(passes.out + begin * w, src + begin * w, static_cast<std::size_t>((end - begin) * w));
        return;
    }
    const auto limit = static_cast<std::uint8_t>(std::min(passes.threshold, 255));

    const std::ptrdiff_t factors = kernel != nullptr ? static_cast<std::ptrdiff_t>(kernel->factors()) : 0;
    const bool productsKept = factors * n * w <= kKeptProductsBytes;
    const std::ptrdiff_t slots = productsKept ? factors : 1;
    const std::ptrdiff_t freshRows = productsKept || kernel == nullptr ? 0 : n;
    std::vector<std::uint8_t> scratch(static_cast<std::size_t>((1 + factors + n * slots + freshRows) * w));
    std::uint8_t* across = scratch.data();
    std::uint8_t* rowProducts = across + w;
    std::uint8_t* ring = rowProducts + factors * w;
    std::uint8_t* fresh = ring + n * slots * w;
    std::vector<const std::uint8_t*> taps(kernel != nullptr ? static_cast<std::size_t>(n) : 0);
    // Slot `factor` of row y's products, or slot 0 for the row itself.
    const auto ringRow = [&](std::ptrdiff_t y, std::size_t slot) LUMAGROVE_INLINE_BODY {
        return ring + ((y % n) * slots + static_cast<std::ptrdiff_t>(slot)) * w;
    };
    // Horizontal pass of one row; the columns it cannot reach are 0, and so
    // are their products.
    const auto smoothAcross = [&](std::ptrdiff_t y) LUMAGROVE_INLINE_BODY {
        for (std::size_t f = 0; f < kernel->factors(); ++f) kernel->multiply(f, src + y * w, rowProducts + f * w, w);
        for (std::ptrdiff_t j = 0; j < n; ++j) taps[j] = rowProducts + kernel->factorOf(j) * w + j;
        std::uint8_t* smoothed = productsKept ? across : ringRow(y, 0);
        std::fill(smoothed, smoothed + half, 0);
        AddRows(taps, smoothed + half, w - 2 * half);
        std::fill(smoothed + w - half, smoothed + w, 0);
        if (!productsKept) return;
        for (std::size_t f = 0; f < kernel->factors(); ++f) kernel->multiply(f, across, ringRow(y, f), w);
    };
    // The products vertical tap j reads for row y.
    const auto productsDown = [&](std::ptrdiff_t y, std::ptrdiff_t j) LUMAGROVE_INLINE_BODY -> const std::uint8_t* {
        const std::size_t factor = kernel->factorOf(j);
        if (productsKept) return ringRow(y - half + j, factor);
        kernel->multiply(factor, ringRow(y - half + j, 0), fresh + j * w, w);
        return fresh + j * w;
    };

    const std::ptrdiff_t firstSmoothed = std::max(begin, half);
    if (kernel != nullptr && firstSmoothed < std::min(end, h - half)) {
        for (std::ptrdiff_t y = firstSmoothed - half; y < firstSmoothed - half + n - 1; ++y) smoothAcross(y);
    }
    // The vertical pass sums the products of the rows each output row
    // reaches (none for the rows it cannot reach, which are 0) and finishes
    // the row with the lift in the same loop, while it is in the cache.
    for (std::ptrdiff_t y = begin; y < end; ++y) {
        const bool reached = kernel != nullptr && y >= half && y < h - half;
        if (reached) {
            smoothAcross(y + half);
            for (std::ptrdiff_t j = 0; j < n; ++j) taps[j] = productsDown(y, j);
        }
        const std::uint8_t* input = src + y * w;
        AddRows(reached ? std::span(taps) : std::span<const std::uint8_t*>(), passes.out + y * w, w,
                [input, limit](std::ptrdiff_t k, std::uint8_t sum)
                    LUMAGROVE_INLINE_BODY { return LiftOrKeep(sum, input[k], limit); });
    }
}

}  // namespace

PixelArray SmoothGaussian(ImageView image, double sigma, std::int32_t threshold) {
    const std::int64_t length = GaussianLength(sigma);
    // Too small a sigma for even one weight: the image is returned unchanged.
    if (length == 0) return PixelArray::CopyOf(image.pixels.data(), image.pixels.size());

    const std::ptrdiff_t w = image.width > 0 ? image.width : 0;
    const std::ptrdiff_t h = image.height > 0 ? image.height : 0;
    PixelArray result(image.pixels.size());
    const std::ptrdiff_t n = static_cast<std::ptrdiff_t>(length);
    std::optional<TruncatedProductSum> kernel;
    if (n <= w && n <= h) kernel.emplace(GaussianWeights(sigma, length));
    const GaussianPasses passes{image.pixels.data(), result.data(), w, h, n, kernel ? &*kernel : nullptr, threshold};
    ForEachBand(h, std::max(MinimumBandRows(w), 16 * n),
                [&](std::ptrdiff_t begin, std::ptrdiff_t end) { SmoothBand(passes, begin, end); });
    return result;
}

}  // namespace lumagrove
