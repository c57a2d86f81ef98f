#include "hough/CircleVoteRows.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "hough/IntegerSquareRoot.h"
#include "hough/VectorClones.h"

namespace lumagrove {
namespace {

constexpr std::int32_t kLanes = CircleVoteRows::kLanes;
constexpr std::int32_t kReach = CircleVoteRows::kReach;
// Offsets whose squared distance stays below this have a truncated distance of 15 or less.
constexpr std::int32_t kSquareLimit = kLanes * kLanes;

constexpr std::int32_t MostPointsAtOneDistance() {
    std::int32_t most = 0;
    for (std::int32_t d = 1; d < kLanes; ++d) {
        std::int32_t points = 0;
        for (std::int32_t dy = -kReach; dy <= kReach; ++dy) {
            for (std::int32_t dx = -kReach; dx <= kReach; ++dx) {
                if (static_cast<std::int32_t>(IntegerSquareRoot(dx * dx + dy * dy)) == d) ++points;
            }
        }
        most = std::max(most, points);
    }
    return most;
}
static_assert(MostPointsAtOneDistance() <= 255, "a byte counter per radius must not wrap");

// One edge pixel's votes into one centre row.
struct RowVotes {
    std::uint8_t* target;        // the centre row's cell of column -span
    const std::uint8_t* lanes;   // the pattern's cell of column -span
    std::size_t bytes;
};

LUMAGROVE_VECTOR_CLONES
void AddVotes(const std::int32_t* columns, std::size_t columnCount, const RowVotes* rows, std::size_t rowCount) {
    for (std::size_t i = 0; i < columnCount; ++i) {
        const std::size_t offset = static_cast<std::size_t>(columns[i]) * kLanes;
        for (std::size_t r = 0; r < rowCount; ++r) {
            std::uint8_t* target = rows[r].target + offset;
            const std::uint8_t* lanes = rows[r].lanes;
            for (std::size_t b = 0; b < rows[r].bytes; ++b) target[b] += lanes[b];
        }
    }
}

}  // namespace

CircleVoteRows::CircleVoteRows(const EdgePoints& edges, std::int32_t width, std::int32_t height,
                               std::int32_t heldRadii, std::int32_t rowsBehind)
    : edges_(edges),
      width_(width),
      height_(height),
      slots_(2 * kReach + 1 + rowsBehind),
      rowBytes_((static_cast<std::size_t>(width) + 2 * kReach) * kLanes),
      ring_(static_cast<std::size_t>(slots_) * rowBytes_) {
    for (std::int32_t dy = 0; dy <= kReach; ++dy) {
        PatternRow& row = pattern_[dy];
        row.span = static_cast<std::int32_t>(IntegerSquareRoot(kSquareLimit - 1 - dy * dy));
        for (std::int32_t dx = -row.span; dx <= row.span; ++dx) {
            const auto d = static_cast<std::int32_t>(IntegerSquareRoot(dx * dx + dy * dy));
            if (d > 0 && d < heldRadii) row.lanes[(dx + kReach) * kLanes + d] = 1;
        }
    }
}

void CircleVoteRows::clearRow(std::int32_t k) { std::memset(slot(k), 0, rowBytes_); }

void CircleVoteRows::castVotes(std::int32_t y) {
    const auto columns = edges_.row(y);
    if (columns.empty()) return;
    std::array<RowVotes, 2 * kReach + 1> rows;
    std::size_t rowCount = 0;
    const std::int32_t first = std::max(y - kReach, 0);
    const std::int32_t last = std::min(y + kReach, height_ - 1);
    for (std::int32_t k = first; k <= last; ++k) {
        const PatternRow& pattern = pattern_[std::abs(k - y)];
        const std::size_t skipped = static_cast<std::size_t>(kReach - pattern.span) * kLanes;
        rows[rowCount++] = {slot(k) + skipped, pattern.lanes.data() + skipped,
                            static_cast<std::size_t>(2 * pattern.span + 1) * kLanes};
    }
    AddVotes(columns.data(), columns.size(), rows.data(), rowCount);
}

}  // namespace lumagrove
