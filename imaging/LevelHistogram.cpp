#include "imaging/LevelHistogram.h"

#include <cmath>

namespace lumagrove {

Histogram LevelCounts(ImageView image) { return LevelCounts(image, Area{0, 0, image.width, image.height}); }

Histogram LevelCounts(ImageView image, const Area& area) {
    return AreaHistogram(image.pixels.data(), image.width, area);
}

LevelStatistics StatisticsOf(const Histogram& counts) {
    LevelStatistics statistics;
    std::int64_t levelSum = 0;  // at most 255 x 2^31: exact
    for (std::int32_t level = 0; level < 256; ++level) {
        const std::int64_t count = counts[level];
        if (count == 0) continue;
        if (statistics.pixels == 0) statistics.minimum = level;
        statistics.maximum = level;
        if (count > counts[statistics.mode]) statistics.mode = level;
        statistics.pixels += count;
        levelSum += count * level;
    }
    if (statistics.pixels == 0) return statistics;
    const auto pixels = static_cast<double>(statistics.pixels);
    statistics.mean = static_cast<double>(levelSum) / pixels;
    // Deviations from the mean rather than the difference of two large sums,
    // which would lose the digits of a narrow histogram.
    double squares = 0.0;
    for (std::int32_t level = 0; level < 256; ++level) {
        const double deviation = level - statistics.mean;
        squares += counts[level] * deviation * deviation;
    }
    statistics.standardDeviation = std::sqrt(squares / pixels);
    return statistics;
}

}  // namespace lumagrove
