#pragma once

#include <cstdint>
#include <vector>

namespace lumagrove {

// The ideal circular mask of the global filters, decided on integer squared
// radii so that no square root can misplace a coefficient on the border.
// The spectrum is not centred, so a coefficient's radius is its distance to
// the nearest corner: r^2 = min(u, W - u)^2 + min(v, H - v)^2.

enum class PassBand { Low, High };

// D^2 from the cut-off point: each coordinate measured to the nearer edge of
// its axis, a point past the far edge giving the distance beyond it. Window
// coordinates of any size fit: the sum needs at most 2^63.
std::uint64_t SquaredCutoff(std::int32_t cutoffX, std::int32_t cutoffY, std::int32_t width, std::int32_t height);

// The rows of one column that the mask clears: `count` rows from `first`,
// wrapping from the last row to row 0. The low pass clears a run around the
// middle row, the high pass one around row 0.
struct ClearedRows {
    std::int32_t first = 0;
    std::int32_t count = 0;
};

// The low pass keeps r^2 <= D^2 and the high pass r^2 >= D^2, so a radius
// equal to the cut-off survives both. `columnDistance` is min(u, W - u).
ClearedRows ClearedRowsOfColumn(PassBand band, std::uint64_t squaredCutoff, std::int32_t columnDistance,
                                std::int32_t height);

// Consecutive columns the mask treats alike. Whole columns are kept or
// cleared without being transformed, which for most cut-offs spares most of
// the column transforms.
struct ColumnRun {
    enum class Kind { Kept, Cleared, Partial };
    Kind kind;
    std::int32_t first;
    std::int32_t end;
};

// Runs covering columns 0 .. W/2 of the half spectrum, in order.
std::vector<ColumnRun> ColumnRunsOfHalfSpectrum(PassBand band, std::uint64_t squaredCutoff, std::int32_t width,
                                                std::int32_t height);

}  // namespace lumagrove
