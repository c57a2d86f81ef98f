#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>

#include "base/Bands.h"
#include "frequency/CutoffMask.h"
#include "frequency/FrequencyFilters.h"
#include "frequency/FrequencyMessages.h"
#include "frequency/HalfPlaneTransform.h"
#include "imaging/Area.h"
#include "imaging/VectorClones.h"

namespace lumagrove {
namespace {

using Kind = ColumnRun::Kind;

// Below this share of the brightest input pixel, the brightest filtered value
// can only be rounding error: the true result is then black everywhere (a
// uniform image through a high pass, say), and stretching the error to 255
// would draw noise instead. Real content cannot be that faint: even a single
// pixel keeping only its zero frequency leaves 1 / (W * H) of itself, at
// least 4.6e-10 for any image that fits, while the two transforms' rounding
// stays around 1e-15.
constexpr double kRoundingShare = 1e-11;

void ClearRows(fftw_complex* column, ClearedRows cleared, std::int32_t height) {
    const std::int32_t beforeWrap = std::min(cleared.count, height - cleared.first);
    std::memset(column + cleared.first, 0, sizeof(fftw_complex) * static_cast<std::size_t>(beforeWrap));
    std::memset(column, 0, sizeof(fftw_complex) * static_cast<std::size_t>(cleared.count - beforeWrap));
}

// Columns the mask cuts through go to the frequency domain along their rows,
// lose the cleared coefficients and come back, a block at a time.
void FilterPartialColumns(HalfPlaneTransform& transform, const ColumnRun& run, PassBand band,
                          std::uint64_t squaredCutoff, std::int32_t width, std::int32_t height) {
    constexpr std::int32_t kBlock = HalfPlaneTransform::kBlockColumns;
    const std::int32_t blocks = (run.end - run.first + kBlock - 1) / kBlock;
    ForEachBand(blocks, 1, [&](std::ptrdiff_t firstBlock, std::ptrdiff_t endBlock) {
        HalfPlaneTransform::ColumnBlock block = transform.columnBlock();
        for (auto b = static_cast<std::int32_t>(firstBlock); b < endBlock; ++b) {
            const std::int32_t first = run.first + b * kBlock;
            const std::int32_t count = std::min(kBlock, run.end - first);
            transform.loadColumns(block, first, count);
            transform.transformColumns(block, FFTW_FORWARD);
            for (std::int32_t c = 0; c < count; ++c) {
                const std::int32_t u = first + c;
                ClearRows(block.column(c), ClearedRowsOfColumn(band, squaredCutoff, std::min(u, width - u), height),
                          height);
            }
            transform.transformColumns(block, FFTW_BACKWARD);
            transform.storeColumns(block, first, count);
        }
    });
}

// A column kept whole would only come back from its two transforms
// multiplied by H, so it is multiplied by H instead; a cleared one is zeroed.
void FinishWholeColumns(fftw_complex* row, const std::vector<ColumnRun>& runs, std::int32_t height) {
    const double scale = height;
    for (const ColumnRun& run : runs) {
        if (run.kind == Kind::Kept) {
            for (std::int32_t u = run.first; u < run.end; ++u) {
                row[u][0] *= scale;
                row[u][1] *= scale;
            }
        } else if (run.kind == Kind::Cleared) {
            std::memset(row + run.first, 0, sizeof(fftw_complex) * static_cast<std::size_t>(run.end - run.first));
        }
    }
}

// Each magnitude relative to the largest value, times 255. Negative values
// larger than the largest one (common after a high pass, whose result
// averages to zero) saturate at 255.
LUMAGROVE_VECTOR_CLONES
void ScaledBytes(const double* values, std::int32_t count, double largest, std::uint8_t* bytes) {
    for (std::int32_t i = 0; i < count; ++i) {
        const double level = std::fabs(values[i]) / largest * 255.0;
        bytes[i] = static_cast<std::uint8_t>(std::min(level, 255.0));
    }
}

PixelArray GlobalFilter(ImageView image, PassBand band, std::int32_t cutoffX, std::int32_t cutoffY,
                        const Reporter& report) {
    const std::int32_t width = image.width;
    const std::int32_t height = image.height;
    PixelArray result(image.pixels.size());
    if (width <= 0 || height <= 0) return result;
    auto transform = HalfPlaneTransform::Create(width, height, HalfPlaneTransform::Use::ForwardAndBackward);
    if (!transform) {
        report(CannotCreatePlan());
        return {};
    }
    const std::uint64_t squaredCutoff = SquaredCutoff(cutoffX, cutoffY, width, height);
    const std::vector<ColumnRun> runs = ColumnRunsOfHalfSpectrum(band, squaredCutoff, width, height);

    transform->transformRows(image.pixels.data());
    for (const ColumnRun& run : runs) {
        if (run.kind == Kind::Partial) FilterPartialColumns(*transform, run, band, squaredCutoff, width, height);
    }
    // The largest of the rows' largest values is the same in any order.
    double largest = -HUGE_VAL;
    std::mutex comparing;
    transform->transformRowsBack([&](fftw_complex* row) { FinishWholeColumns(row, runs, height); },
                                 [&](const double* values) {
                                     const double rowLargest = *std::max_element(values, values + width);
                                     const std::lock_guard lock(comparing);
                                     largest = std::max(largest, rowLargest);
                                 });

    // Both transforms are unnormalised: the values are the filtered image
    // times W * H, a factor the scaling to the largest value cancels.
    const std::uint8_t brightestPixel = *std::max_element(image.pixels.begin(), image.pixels.end());
    const double roundingLimit = kRoundingShare * brightestPixel * (static_cast<double>(width) * height);
    std::uint8_t* output = result.data();
    if (largest <= roundingLimit) {
        std::memset(output, 0, result.size());
    } else {
        ForEachBand(height, MinimumBandRows(width), [&](std::ptrdiff_t begin, std::ptrdiff_t end) {
            for (auto y = static_cast<std::int32_t>(begin); y < end; ++y) {
                ScaledBytes(transform->realRow(y), width, largest, output + static_cast<std::size_t>(y) * width);
            }
        });
    }
    return result;
}

// The rectangle goes through the global filter as an image of its own: the
// cut-off rule takes the rectangle's sides, and the scaling its largest
// value and brightest pixel. The rest of the image is copied as it is.
PixelArray LocalFilter(ImageView image, PassBand band, std::int32_t cutoffX, std::int32_t cutoffY, const Area& area,
                       const Reporter& report) {
    PixelArray result = PixelArray::CopyOf(image.pixels.data(), image.pixels.size());
    if (area.pixelCount() == 0) return result;
    const auto width = static_cast<std::int32_t>(area.width());
    const auto height = static_cast<std::int32_t>(area.height());
    PixelArray inside(static_cast<std::size_t>(area.pixelCount()));
    for (std::int32_t y = 0; y < height; ++y) {
        std::memcpy(inside.data() + static_cast<std::size_t>(y) * width,
                    image.pixels.data() + (area.y1 + y) * image.width + area.x1, static_cast<std::size_t>(width));
    }
    const PixelArray filtered =
        GlobalFilter(ImageView{{inside.data(), inside.size()}, width, height}, band, cutoffX, cutoffY, report);
    if (filtered.empty()) return {};
    for (std::int32_t y = 0; y < height; ++y) {
        std::memcpy(result.data() + (area.y1 + y) * image.width + area.x1,
                    filtered.data() + static_cast<std::size_t>(y) * width, static_cast<std::size_t>(width));
    }
    return result;
}

}  // namespace

PixelArray GlobalLowPass(ImageView image, std::int32_t cutoffX, std::int32_t cutoffY, const Reporter& report) {
    return GlobalFilter(image, PassBand::Low, cutoffX, cutoffY, report);
}

PixelArray GlobalHighPass(ImageView image, std::int32_t cutoffX, std::int32_t cutoffY, const Reporter& report) {
    return GlobalFilter(image, PassBand::High, cutoffX, cutoffY, report);
}

PixelArray LocalLowPass(ImageView image, std::int32_t cutoffX, std::int32_t cutoffY, std::int32_t x1, std::int32_t y1,
                        std::int32_t x2, std::int32_t y2, const Reporter& report) {
    return LocalFilter(image, PassBand::Low, cutoffX, cutoffY, ClippedArea(x1, y1, x2, y2, image.width, image.height),
                       report);
}

PixelArray LocalHighPass(ImageView image, std::int32_t cutoffX, std::int32_t cutoffY, std::int32_t x1, std::int32_t y1,
                         std::int32_t x2, std::int32_t y2, const Reporter& report) {
    return LocalFilter(image, PassBand::High, cutoffX, cutoffY, ClippedArea(x1, y1, x2, y2, image.width, image.height),
                       report);
}
}  // namespace lumagrove
