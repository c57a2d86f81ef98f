#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "base/Bands.h"

namespace lumagrove {

// Votes of edge pixels for circle centres, built one centre row at a time in
// a sweep down the image, so that only a band of rows is ever held.
//
// Every centre cell holds 16 byte counters, one per radius 0 to 15, the radii
// circle detection ever looks at: an edge pixel at truncated distance d from
// the centre counts in lane d. A lane cannot overflow, since no more than 96
// lattice points lie at one truncated distance of 15 or less from a point.
// Radius 0 and radii from heldRadii on are never voted for.
class CircleVoteRows {
public:
    static constexpr std::int32_t kLanes = 16;
    // How far an edge pixel votes, in rows and in columns.
    static constexpr std::int32_t kReach = kLanes - 1;

    // rowsBehind: how many rows before the newest complete one stay readable.
    CircleVoteRows(std::int32_t width, std::int32_t height, std::int32_t heldRadii, std::int32_t rowsBehind);

    // Sweeps the image down from the first edge row whose votes reach row
    // firstRow - rowsBehind. The edge pixels of row y whose columns voters(y)
    // returns cast their votes (all of them, or those a caller needs). Centre
    // row k, firstRow <= k < endRow, is handed to complete(k) as soon as every
    // edge row within reach of it has voted, rows in ascending order; rows
    // k - rowsBehind to k can be read then. Bands of centre rows can thus be
    // swept apart, each in a CircleVoteRows of its own, with the same counts.
    template <typename Voters, typename Complete>
    void sweep(Voters voters, Complete complete, std::int32_t firstRow, std::int32_t endRow) {
        const std::int32_t firstVoter = std::max(firstRow - rowsBehind_ - kReach, 0);
        std::int32_t started = std::max(firstVoter - kReach, 0);
        std::int32_t completed = firstRow;
        for (std::int32_t y = firstVoter; y < std::min(endRow + kReach, height_); ++y) {
            ThrowIfStopped();  // a band is one long loop
            for (; started < height_ && started <= y + kReach; ++started) clearRow(started);
            castVotes(y, voters(y));
            for (; completed < endRow && completed <= y - kReach; ++completed) complete(completed);
        }
        for (; completed < endRow; ++completed) complete(completed);
    }

    // The counters of centre row k: kLanes bytes per column, from column 0.
    const std::uint8_t* cells(std::int32_t k) const { return slot(k) + kReach * kLanes; }

private:
    std::uint8_t* slot(std::int32_t k) { return ring_.data() + static_cast<std::size_t>(k % slots_) * rowBytes_; }
    const std::uint8_t* slot(std::int32_t k) const {
        return ring_.data() + static_cast<std::size_t>(k % slots_) * rowBytes_;
    }
    void clearRow(std::int32_t k);
    void castVotes(std::int32_t y, std::span<const std::int32_t> columns);

    // The votes one edge pixel casts into the row dy away from its own, for
    // the columns -span .. span around it.
    struct PatternRow {
        std::int32_t span = -1;  // none
        std::array<std::uint8_t, (2 * kReach + 1) * kLanes> lanes{};
    };

    std::int32_t height_;
    std::int32_t rowsBehind_;
    std::int32_t slots_;
    std::size_t rowBytes_;  // the image's columns plus kReach more on each side, where votes past the border land
    std::array<PatternRow, kReach + 1> pattern_;
    std::vector<std::uint8_t> ring_;
};

}  // namespace lumagrove
