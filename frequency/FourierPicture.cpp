#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "base/Bands.h"
#include "frequency/FrequencyFilters.h"
#include "frequency/FrequencyMessages.h"
#include "frequency/HalfPlaneTransform.h"
#include "imaging/VectorClones.h"

namespace lumagrove {
namespace {

// Output columns gathered before they are written, so that each row of the
// output receives a whole cache line at once; writing a few bytes into every
// row of a large image instead would touch each line of the output many times.
constexpr std::int32_t kTileColumns = 64;

// A coefficient's magnitude in hundredths, truncated; anything beyond 255
// shows as 255. The top-left pixel is the pixel sum / 100, so it saturates
// for all but the darkest images.
LUMAGROVE_VECTOR_CLONES
void MagnitudeBytes(const fftw_complex* coefficients, std::size_t count, std::uint8_t* bytes) {
    for (std::size_t i = 0; i < count; ++i) {
        const double re = coefficients[i][0];
        const double im = coefficients[i][1];
        const double level = std::sqrt(re * re + im * im) * 0.01;
        bytes[i] = static_cast<std::uint8_t>(std::min(level, 255.0));
    }
}

// Tile columns lie this many bytes apart: one cache line more than a column
// needs, so that reading across them does not land every column in the same
// cache set, as a stride of a power of two would.
std::size_t TileStride(std::int32_t height) { return (static_cast<std::size_t>(height) + 127) / 64 * 64; }

// The tile holds columns first .. first + count - 1 of the output, one after
// another. Column u's magnitudes also fill column W - u, upside down, since
// |X(W - u, H - v)| = |X(u, v)|: the half spectrum holds the columns up to
// W / 2, and the mirror supplies the rest.
void WriteTile(const std::uint8_t* tile, std::int32_t first, std::int32_t count, std::int32_t width,
               std::int32_t height, std::uint8_t* output) {
    const std::size_t rows = static_cast<std::size_t>(height);
    const std::size_t stride = TileStride(height);
    const std::int32_t mirrorFirst = std::max(first, 1);
    const std::int32_t mirrorEnd = std::min(first + count, (width + 1) / 2);
    for (std::size_t v = 0; v < rows; ++v) {
        const std::uint8_t* levels = tile + v;
        std::uint8_t* row = output + v * width + first;
        for (std::int32_t c = 0; c < count; ++c) row[c] = levels[c * stride];
        std::uint8_t* mirrorRow = output + ((rows - v) % rows) * width + width;
        for (std::int32_t u = mirrorFirst; u < mirrorEnd; ++u) mirrorRow[-u] = levels[(u - first) * stride];
    }
}

}  // namespace

// The picture is not centred: the zero frequency stays in the top-left
// corner and each quadrant's corner is the low end of its frequencies.
PixelArray FourierSpectrum(ImageView image, const Reporter& report) {
    const std::int32_t width = image.width;
    const std::int32_t height = image.height;
    PixelArray output(image.pixels.size());
    if (width <= 0 || height <= 0) return output;
    auto transform = HalfPlaneTransform::Create(width, height, HalfPlaneTransform::Use::ForwardOnly);
    if (!transform) {
        report(CannotCreatePlan());
        return {};
    }
    transform->transformRows(image.pixels.data());

    // Tiles write disjoint columns of the output, their mirrors included.
    const std::int32_t columns = transform->columns();
    const std::int32_t tiles = (columns + kTileColumns - 1) / kTileColumns;
    ForEachBand(tiles, 1, [&](std::ptrdiff_t firstTile, std::ptrdiff_t endTile) {
        HalfPlaneTransform::ColumnBlock block = transform->columnBlock();
        std::vector<std::uint8_t> tile(kTileColumns * TileStride(height));
        for (auto t = static_cast<std::int32_t>(firstTile); t < endTile; ++t) {
            const std::int32_t tileFirst = t * kTileColumns;
            const std::int32_t tileEnd = std::min(tileFirst + kTileColumns, columns);
            for (std::int32_t first = tileFirst; first < tileEnd; first += HalfPlaneTransform::kBlockColumns) {
                const std::int32_t count = std::min(HalfPlaneTransform::kBlockColumns, tileEnd - first);
                transform->loadColumns(block, first, count);
                transform->transformColumns(block, FFTW_FORWARD);
                for (std::int32_t c = 0; c < count; ++c) {
                    MagnitudeBytes(block.column(c), static_cast<std::size_t>(height),
                                   tile.data() + (first - tileFirst + c) * TileStride(height));
                }
            }
            WriteTile(tile.data(), tileFirst, tileEnd - tileFirst, width, height, output.data());
        }
    });
    return output;
}

}  // namespace lumagrove
