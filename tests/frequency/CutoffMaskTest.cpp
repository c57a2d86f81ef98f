#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "frequency/CutoffMask.h"

namespace lumagrove {
namespace {

bool IsCleared(PassBand band, std::uint64_t squaredCutoff, std::int32_t u, std::int32_t v, std::int32_t width,
               std::int32_t height) {
    const ClearedRows cleared = ClearedRowsOfColumn(band, squaredCutoff, std::min(u, width - u), height);
    const std::int32_t offset = (v - cleared.first + height) % height;
    return offset < cleared.count;
}

TEST(CutoffMask, SquaredCutoffMeasuresToTheNearestCorner) {
    for (const auto& [x, y] : std::vector<std::pair<int, int>>{{3, 4}, {13, 4}, {3, 12}, {13, 12}}) {
        EXPECT_EQ(SquaredCutoff(x, y, 16, 16), 25u) << x << "," << y;
    }
    EXPECT_EQ(SquaredCutoff(8, 3, 16, 16), 73u);  // the middle column belongs to the near side
    EXPECT_EQ(SquaredCutoff(2, 8, 16, 16), 68u);
    EXPECT_EQ(SquaredCutoff(20, 3, 16, 16), 25u);  // stored by a larger window: 4 past the edge
    EXPECT_EQ(SquaredCutoff(0, 0, 16, 16), 0u);
    EXPECT_EQ(SquaredCutoff(3, 2, 7, 5), 13u);  // odd sizes: halves round down
    EXPECT_EQ(SquaredCutoff(4, 3, 7, 5), 13u);

    constexpr std::int32_t kLowest = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(SquaredCutoff(kLowest, kLowest, 16, 16), std::uint64_t{1} << 63);
}

// Exactly the coefficients on the wrong side of the cut-off are cleared, for
// every row, column, size parity and radius (with D^2 = 25 on 16 x 16, say,
// (5, 0), (0, 5), (3, 4) and (13, 12) survive both filters, (4, 4) only the
// high pass and (3, 3) only the low pass).
TEST(CutoffMask, ClearsExactlyTheCoefficientsOutsideTheBand) {
    for (const auto& [width, height] :
         std::vector<std::pair<int, int>>{{16, 16}, {15, 9}, {1, 1}, {2, 3}, {7, 1}, {1, 8}}) {
        std::vector<std::uint64_t> cutoffs;
        for (std::uint64_t d = 0; d <= 140; ++d) cutoffs.push_back(d);
        cutoffs.push_back(std::uint64_t{1} << 63);
        for (std::uint64_t squaredCutoff : cutoffs) {
            for (PassBand band : {PassBand::Low, PassBand::High}) {
                for (std::int32_t v = 0; v < height; ++v) {
                    for (std::int32_t u = 0; u < width; ++u) {
                        const std::int64_t du = std::min(u, width - u);
                        const std::int64_t dv = std::min(v, height - v);
                        const auto squaredRadius = static_cast<std::uint64_t>(du * du + dv * dv);
                        const bool outside =
                            band == PassBand::Low ? squaredRadius > squaredCutoff : squaredRadius < squaredCutoff;
                        ASSERT_EQ(IsCleared(band, squaredCutoff, u, v, width, height), outside)
                            << width << "x" << height << " D2 " << squaredCutoff << " at " << u << "," << v
                            << (band == PassBand::Low ? " low" : " high");
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace lumagrove
