#include "hough/CircleVoteRows.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

#include "hough/IntegerSquareRoot.h"
#include "imaging/VectorClones.h"

namespace lumagrove {
namespace {

constexpr std::int32_t kLanes = CircleVoteRows::kLanes;
constexpr std::int32_t kReach = CircleVoteRows::kReach;
// One pass over the offsets within reach, each counted at its truncated
// distance: cheap enough for every compiler's budget of constant evaluation.
constexpr std::int32_t MostPointsAtOneDistance() {
    std::array<std::int32_t, kLanes> points{};
    for (std::int32_t dy = -kReach; dy <= kReach; ++dy) {
        for (std::int32_t dx = -kReach; dx <= kReach; ++dx) {
            const auto d = static_cast<std::int32_t>(IntegerSquareRoot(dx * dx + dy * dy));
            if (d >= 1 && d < kLanes) ++points[d];
        }
    }
    return *std::max_element(points.begin(), points.end());
}
static_assert(MostPointsAtOneDistance() <= 255, "a byte counter per radius must not wrap");

// One edge pixel's votes into one centre row.
struct RowVotes {
    std::uint8_t* target;       // the centre row's cell of column -span
    const std::uint8_t* lanes;  // the pattern's cell of column -span
    std::size_t bytes;
};

// The pattern and the counters never overlap; saying so (and reading each
// row's fields once, since a byte store could alias them) lets the adds run
// as vector code.
inline void AddBytes(std::uint8_t* __restrict target, const std::uint8_t* __restrict lanes, std::size_t bytes) {
    for (std::size_t b = 0; b < bytes; ++b) target[b] += lanes[b];
}

LUMAGROVE_VECTOR_CLONES
void AddVotes(const std::int32_t* columns, std::size_t columnCount, const RowVotes* rows, std::size_t rowCount) {
    for (std::size_t i = 0; i < columnCount; ++i) {
        const std::size_t offset = static_cast<std::size_t>(columns[i]) * kLanes;
        for (std::size_t r = 0; r < rowCount; ++r) {
            const RowVotes row = rows[r];
            AddBytes(row.target + offset, row.lanes, row.bytes);
        }
    }
}

}  // namespace

CircleVoteRows::CircleVoteRows(std::int32_t width, std::int32_t height, std::int32_t heldRadii, std::int32_t rowsBehind)
    : height_(height),
      rowsBehind_(rowsBehind),
      slots_(2 * kReach + 1 + rowsBehind),
      rowBytes_((static_cast<std::size_t>(width) + 2 * kReach) * kLanes),
      ring_(static_cast<std::size_t>(slots_) * rowBytes_) {
    // Offsets at a truncated distance below heldRadii: dx^2 + dy^2 < heldRadii^2.
    const std::int32_t squareLimit = std::min(heldRadii, kLanes) * std::min(heldRadii, kLanes);
    for (std::int32_t dy = 0; dy <= kReach; ++dy) {
        PatternRow& row = pattern_[dy];
        if (dy * dy >= squareLimit) continue;  // no vote reaches this row
        row.span = static_cast<std::int32_t>(IntegerSquareRoot(squareLimit - 1 - dy * dy));
        for (std::int32_t dx = -row.span; dx <= row.span; ++dx) {
            const auto d = static_cast<std::int32_t>(IntegerSquareRoot(dx * dx + dy * dy));
            if (d > 0 && d < heldRadii) row.lanes[(dx + kReach) * kLanes + d] = 1;
        }
    }
}

void CircleVoteRows::clearRow(std::int32_t k) { std::memset(slot(k), 0, rowBytes_); }

void CircleVoteRows::castVotes(std::int32_t y, std::span<const std::int32_t> columns) {
    if (columns.empty()) return;
    std::array<RowVotes, 2 * kReach + 1> rows;
    std::size_t rowCount = 0;
    const std::int32_t first = std::max(y - kReach, 0);
    const std::int32_t last = std::min(y + kReach, height_ - 1);
    for (std::int32_t k = first; k <= last; ++k) {
        const PatternRow& pattern = pattern_[std::abs(k - y)];
        if (pattern.span < 0) continue;
        const std::size_t skipped = static_cast<std::size_t>(kReach - pattern.span) * kLanes;
        rows[rowCount++] = {slot(k) + skipped, pattern.lanes.data() + skipped,
                            static_cast<std::size_t>(2 * pattern.span + 1) * kLanes};
    }
    AddVotes(columns.data(), columns.size(), rows.data(), rowCount);
}

}  // namespace lumagrove
