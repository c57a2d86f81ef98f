#include "frequency/CutoffMask.h"

#include <algorithm>
#include <cmath>

namespace lumagrove {
namespace {

// Exact for every n below 2^62, where the double square root may be off by one.
std::uint64_t FloorSquareRoot(std::uint64_t n) {
    auto root = static_cast<std::uint64_t>(std::sqrt(static_cast<double>(n)));
    while (root * root > n) --root;
    while ((root + 1) * (root + 1) <= n) ++root;
    return root;
}

std::uint64_t CeilingSquareRoot(std::uint64_t n) {
    const std::uint64_t root = FloorSquareRoot(n);
    return root * root < n ? root + 1 : root;
}

std::int64_t NearerEdgeDistance(std::int32_t coordinate, std::int32_t size) {
    return coordinate <= size / 2 ? coordinate : std::int64_t{size} - coordinate;
}

std::uint64_t Square(std::int64_t value) { return static_cast<std::uint64_t>(value * value); }

}  // namespace

std::uint64_t SquaredCutoff(std::int32_t cutoffX, std::int32_t cutoffY, std::int32_t width, std::int32_t height) {
    return Square(NearerEdgeDistance(cutoffX, width)) + Square(NearerEdgeDistance(cutoffY, height));
}

ClearedRows ClearedRowsOfColumn(PassBand band, std::uint64_t squaredCutoff, std::int32_t columnDistance,
                                std::int32_t height) {
    const std::uint64_t columnSquare = Square(columnDistance);
    const bool beyondCutoff = columnSquare > squaredCutoff;
    // What r^2 leaves for the row term; beyond height^2 every row is inside
    // it, and the cap keeps the square roots exact.
    const std::uint64_t rowBudget = std::min(beyondCutoff ? 0 : squaredCutoff - columnSquare, Square(height));
    if (band == PassBand::Low) {
        // Keeps min(v, H - v) <= k, clears the k + 1 .. H - k - 1 between.
        if (beyondCutoff) return {0, height};
        const auto k = static_cast<std::int64_t>(FloorSquareRoot(rowBudget));
        const std::int64_t cleared = height - 2 * k - 1;
        return cleared > 0 ? ClearedRows{static_cast<std::int32_t>(k + 1), static_cast<std::int32_t>(cleared)}
                           : ClearedRows{};
    }
    // Clears min(v, H - v) < c: rows 0 .. c - 1 and H - c + 1 .. H - 1.
    if (beyondCutoff || rowBudget == 0) return {};
    const auto c = static_cast<std::int64_t>(CeilingSquareRoot(rowBudget));
    if (2 * c - 1 >= height) return {0, height};
    return {static_cast<std::int32_t>((height - c + 1) % height), static_cast<std::int32_t>(2 * c - 1)};
}

std::vector<ColumnRun> ColumnRunsOfHalfSpectrum(PassBand band, std::uint64_t squaredCutoff, std::int32_t width,
                                                std::int32_t height) {
    std::vector<ColumnRun> runs;
    const std::int32_t columns = width / 2 + 1;
    for (std::int32_t u = 0; u < columns; ++u) {
        const ClearedRows cleared = ClearedRowsOfColumn(band, squaredCutoff, std::min(u, width - u), height);
        const ColumnRun::Kind kind = cleared.count == 0        ? ColumnRun::Kind::Kept
                                     : cleared.count == height ? ColumnRun::Kind::Cleared
                                                               : ColumnRun::Kind::Partial;
        if (!runs.empty() && runs.back().kind == kind) {
            runs.back().end = u + 1;
        } else {
            runs.push_back({kind, u, u + 1});
        }
    }
    return runs;
}

}  // namespace lumagrove
