#include <gtest/gtest.h>

#include <cmath>

#include "imaging/LevelHistogram.h"
#include "support/TestImages.h"

namespace lumagrove {
namespace {

TEST(LevelHistogram, CountsTheImageOrARectangleOfIt) {
    testing::TestImage image = testing::ConstantImage(13, 7, 40);
    image.at(12, 6) = 255;
    image.at(3, 2) = 0;
    image.at(4, 2) = 0;
    const ImageView view{image.pixels, image.width, image.height};
    const Histogram whole = LevelCounts(view);
    EXPECT_EQ(whole[40], 13 * 7 - 3);
    EXPECT_EQ(whole[0], 2);
    EXPECT_EQ(whole[255], 1);
    // Columns 4 .. 12 of rows 2 .. 6: one of the zeros and the 255.
    const Histogram part = LevelCounts(view, ClippedArea(13, 7, 4, 2, image.width, image.height));
    EXPECT_EQ(part[0], 1);
    EXPECT_EQ(part[255], 1);
    EXPECT_EQ(part[40], 9 * 5 - 2);
}

TEST(LevelHistogram, StatisticsOfThePopulation) {
    Histogram counts{};
    counts[10] = 3;
    counts[20] = 3;
    counts[200] = 2;
    const LevelStatistics statistics = StatisticsOf(counts);
    EXPECT_EQ(statistics.pixels, 8);
    EXPECT_EQ(statistics.minimum, 10);
    EXPECT_EQ(statistics.maximum, 200);
    EXPECT_EQ(statistics.mode, 10);  // the lowest of the two largest counts
    EXPECT_DOUBLE_EQ(statistics.mean, 61.25);
    const double squares = 3 * 51.25 * 51.25 + 3 * 41.25 * 41.25 + 2 * 138.75 * 138.75;
    EXPECT_DOUBLE_EQ(statistics.standardDeviation, std::sqrt(squares / 8));  // divided by 8, not 7

    Histogram single{};
    single[255] = 5;
    const LevelStatistics one = StatisticsOf(single);
    EXPECT_EQ(one.minimum, 255);
    EXPECT_EQ(one.mode, 255);
    EXPECT_EQ(one.standardDeviation, 0.0);
    EXPECT_EQ(StatisticsOf(Histogram{}).pixels, 0);
}

}  // namespace
}  // namespace lumagrove
