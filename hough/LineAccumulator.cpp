#include "hough/LineAccumulator.h"

#include <mutex>

#include "base/Bands.h"
#include "imaging/VectorClones.h"

namespace lumagrove {
namespace {

constexpr std::int32_t kHalfTurn = LineAccumulator::kAngles / 2;

using Angles = std::array<double, LineAccumulator::kAngles>;
using RowIndices = std::array<std::int32_t, LineAccumulator::kAngles>;

// The two angle tables, widened once, and the angles of the second
// half turn whose sine and cosine are not exactly the negated ones of the
// angle half a turn before (pi is taken to nine decimals, so a few differ in
// the last bit).
struct VoteTables {
    Angles sine{};
    Angles cosine{};
    std::vector<std::int32_t> unmirrored;
};

VoteTables WidenedTables(const LineAccumulator::Table& sinTable, const LineAccumulator::Table& cosTable) {
    VoteTables tables;
    for (std::int32_t t = 0; t < LineAccumulator::kAngles; ++t) {
        tables.sine[t] = sinTable[t];
        tables.cosine[t] = cosTable[t];
    }
    for (std::int32_t t = kHalfTurn; t < LineAccumulator::kAngles; ++t) {
        if (sinTable[t] != -sinTable[t - kHalfTurn] || cosTable[t] != -cosTable[t - kHalfTurn]) {
            tables.unmirrored.push_back(t);
        }
    }
    return tables;
}

std::int32_t Distance(double dx, double dy, const VoteTables& tables, std::int32_t t) {
    return static_cast<std::int32_t>(dy * tables.sine[t] + dx * tables.cosine[t]);
}

// The row each angle's vote goes to, or spareRow for a dropped vote. The
// products are exact in double precision; only their sum is rounded, as the
// distance's definition asks. Where an angle's sine and cosine are exactly
// the negated ones of the angle half a turn before, so is the sum, and its
// truncation: the row is mirrored about the centre row instead of computed.
LUMAGROVE_VECTOR_CLONES
void VoteRows(double dx, double dy, const VoteTables& tables, std::int32_t half, std::int32_t spareRow,
              RowIndices& rows) {
    for (std::int32_t t = 0; t < kHalfTurn; ++t) {
        const std::int32_t r = Distance(dx, dy, tables, t);
        const bool counts = r > -half && r < half && r != 0;
        rows[t] = counts ? half + r : spareRow;
        rows[t + kHalfTurn] = counts ? half - r : spareRow;
    }
    for (const std::int32_t t : tables.unmirrored) {
        const std::int32_t r = Distance(dx, dy, tables, t);
        rows[t] = r > -half && r < half && r != 0 ? half + r : spareRow;
    }
}

}  // namespace

LineAccumulator::LineAccumulator(std::int32_t rhoCount)
    : rhoCount_(rhoCount), counters_((static_cast<std::size_t>(rhoCount) + 1) * kAngles, 0) {}

PixelArray LineAccumulator::image() const {
    PixelArray plane(static_cast<std::size_t>(rhoCount_) * kAngles);
    for (std::int32_t t = 0; t < kAngles; ++t) {
        const std::uint8_t* counters = angle(t);
        for (std::int32_t rho = 0; rho < rhoCount_; ++rho)
            plane[static_cast<std::size_t>(rho) * kAngles + t] = counters[rho];
    }
    return plane;
}

void LineAccumulator::vote(const EdgePoints& edges, std::int32_t width, std::int32_t height, const Table& sinTable,
                           const Table& cosTable) {
    const VoteTables tables = WidenedTables(sinTable, cosTable);
    const std::int32_t half = rhoCount_ / 2;
    // Votes the edge rows begin <= y < end into `counters`, a line space.
    // Step and spare row by value: a byte store could alias the members or a
    // captured reference, which would make the compiler reload them after
    // every vote.
    const auto voteRows = [&, step = stride(), spareRow = rhoCount_](std::ptrdiff_t begin, std::ptrdiff_t end,
                                                                     std::uint8_t* const counters) {
        RowIndices rows;
        for (auto y = static_cast<std::int32_t>(begin); y < end; ++y) {
            const double dy = y - height / 2;
            for (const std::int32_t x : edges.row(y)) {
                VoteRows(x - width / 2, dy, tables, half, spareRow, rows);
                std::uint8_t* angle = counters;
                for (std::int32_t t = 0; t < kAngles; ++t, angle += step) ++angle[rows[t]];
            }
        }
    };
    // A band votes into a line space of its own, added to the whole one when
    // it is done. The counters wrap modulo 256, and sums modulo 256 do not
    // depend on the order of their terms, so the bands' sizes and the order
    // they finish in never change a byte. A few bands per thread are enough:
    // each costs a line space to clear and to add.
    const std::ptrdiff_t bands = 2 * static_cast<std::ptrdiff_t>(ThreadCount());
    std::mutex adding;
    ForEachBand(edges.height(), (edges.height() + bands - 1) / bands, [&](std::ptrdiff_t begin, std::ptrdiff_t end) {
        if (begin == 0 && end == edges.height()) {
            voteRows(begin, end, counters_.data());
            return;
        }
        std::vector<std::uint8_t> band(counters_.size(), 0);
        voteRows(begin, end, band.data());
        const std::lock_guard lock(adding);
        for (std::size_t i = 0; i < band.size(); ++i) counters_[i] = static_cast<std::uint8_t>(counters_[i] + band[i]);
    });
}

}  // namespace lumagrove
