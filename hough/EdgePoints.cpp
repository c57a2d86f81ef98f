#include "hough/EdgePoints.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <map>
#include <mutex>
#include <utility>

#include "base/Bands.h"

namespace lumagrove {
namespace {

// Bit 7 of each byte of the result is set when that byte of the word is not
// 0: adding 0x7F to the low seven bits carries into bit 7 unless they are 0,
// and never into the next byte.
std::uint64_t NonZeroBytes(std::uint64_t word) {
    constexpr std::uint64_t kLowSevenBits = 0x7F7F7F7F7F7F7F7F;
    return (((word & kLowSevenBits) + kLowSevenBits) | word) & ~kLowSevenBits;
}

// Edges are usually a small share of a row, so the row is read eight bytes
// at a time, and in a word with edge pixels in it only they are visited.
void AppendEdgeColumns(const std::uint8_t* line, std::int32_t width, std::vector<std::int32_t>& columns) {
    std::int32_t x = 0;
    for (; x + 8 <= width; x += 8) {
        std::uint64_t word;
        std::memcpy(&word, line + x, sizeof word);
        if (word == 0) continue;
        if constexpr (std::endian::native == std::endian::little) {
            // The lowest flag is the first byte in memory.
            for (std::uint64_t flags = NonZeroBytes(word); flags != 0; flags &= flags - 1) {
                columns.push_back(x + std::countr_zero(flags) / 8);
            }
        } else {
            for (std::int32_t i = x; i < x + 8; ++i) {
                if (line[i] != 0) columns.push_back(i);
            }
        }
    }
    for (; x < width; ++x) {
        if (line[x] != 0) columns.push_back(x);
    }
}

// The edge pixels of one band of rows, with rowStart_ of its rows counted
// from the band's first pixel.
struct BandColumns {
    std::ptrdiff_t end;
    std::vector<std::int32_t> columns;
};

}  // namespace

EdgePoints::EdgePoints(const PixelArray& edgeMap, std::int32_t width, std::int32_t height)
    : rowStart_(static_cast<std::size_t>(std::max(height, 0)) + 1, 0) {
    if (width <= 0 || height <= 0) return;
    const auto w = static_cast<std::size_t>(width);
    // Each band lists the edge pixels of its rows on its own; the lists are
    // then joined in row order, so the result does not depend on the bands.
    std::map<std::ptrdiff_t, BandColumns> bands;
    std::mutex joining;
    ForEachBand(height, 4 * MinimumBandRows(width), [&](std::ptrdiff_t begin, std::ptrdiff_t end) {
        BandColumns band{end, {}};
        for (std::ptrdiff_t y = begin; y < end; ++y) {
            AppendEdgeColumns(edgeMap.data() + static_cast<std::size_t>(y) * w, width, band.columns);
            rowStart_[static_cast<std::size_t>(y) + 1] = band.columns.size();
        }
        const std::lock_guard lock(joining);
        bands.emplace(begin, std::move(band));
    });
    std::size_t total = 0;
    for (const auto& [begin, band] : bands) total += band.columns.size();
    columns_.reserve(total);
    for (const auto& [begin, band] : bands) {
        const std::size_t offset = columns_.size();
        for (std::ptrdiff_t y = begin; y < band.end; ++y) rowStart_[static_cast<std::size_t>(y) + 1] += offset;
        columns_.insert(columns_.end(), band.columns.begin(), band.columns.end());
    }
}

}  // namespace lumagrove
