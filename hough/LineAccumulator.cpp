#include "hough/LineAccumulator.h"

#include "hough/VectorClones.h"

namespace lumagrove {
namespace {

using Angles = std::array<double, LineAccumulator::kAngles>;
using RowIndices = std::array<std::int32_t, LineAccumulator::kAngles>;

// The row each angle's vote goes to, or spareRow for a dropped vote. The
// products are exact in double precision; only their sum is rounded, as the
// distance's definition asks.
LUMAGROVE_VECTOR_CLONES
void VoteRows(double dx, double dy, const Angles& sine, const Angles& cosine, std::int32_t half,
              std::int32_t spareRow, RowIndices& rows) {
    for (std::int32_t t = 0; t < LineAccumulator::kAngles; ++t) {
        const auto r = static_cast<std::int32_t>(dy * sine[t] + dx * cosine[t]);
        const bool counts = r > -half && r < half && r != 0;
        rows[t] = counts ? half + r : spareRow;
    }
}

Angles Widened(const LineAccumulator::Table& table) {
    Angles wide{};
    for (std::int32_t t = 0; t < LineAccumulator::kAngles; ++t) wide[t] = table[t];
    return wide;
}

}  // namespace

LineAccumulator::LineAccumulator(std::int32_t rhoCount)
    : rhoCount_(rhoCount), counters_((static_cast<std::size_t>(rhoCount) + 1) * kAngles, 0) {}

void LineAccumulator::vote(const EdgePoints& edges, std::int32_t width, std::int32_t height, const Table& sinTable,
                           const Table& cosTable) {
    const Angles sine = Widened(sinTable);
    const Angles cosine = Widened(cosTable);
    const std::int32_t half = rhoCount_ / 2;
    RowIndices rows;
    for (std::int32_t y = 0; y < edges.height(); ++y) {
        const double dy = y - height / 2;
        for (const std::int32_t x : edges.row(y)) {
            VoteRows(x - width / 2, dy, sine, cosine, half, rhoCount_, rows);
            std::uint8_t* column = counters_.data();
            for (std::int32_t t = 0; t < kAngles; ++t) {
                ++column[static_cast<std::size_t>(rows[t]) * kAngles + t];
            }
        }
    }
}

}  // namespace lumagrove
