#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "base/ImageView.h"
#include "imaging/Area.h"
#include "imaging/EqualizationMap.h"

namespace lumagrove {

// How many pixels hold each gray level: of the whole image, or of a
// rectangle of it (a selection, taken with ClippedArea).
Histogram LevelCounts(ImageView image);
Histogram LevelCounts(ImageView image, const Area& area);

// What a histogram says of its pixels. With no pixels every field is 0.
struct LevelStatistics {
    std::int64_t pixels = 0;
    std::int32_t minimum = 0;
    std::int32_t maximum = 0;
    double mean = 0.0;
    double standardDeviation = 0.0;  // of the population: the squared deviations divided by the count
    std::int32_t mode = 0;           // the lowest level among those with the largest count
};

LevelStatistics StatisticsOf(const Histogram& counts);

// The statistics as names and values, in the order every form of the
// histogram shows them: pixels, minimum, maximum, mean, stddev, mode.
std::vector<std::pair<const char*, std::string>> StatisticRows(const LevelStatistics& statistics);

// The histogram as text, as the command line prints it and the desktop
// copies it: CSV, a `level,count` line per level and the statistics as
// `# name=value` lines; or one JSON object. Real numbers have six
// significant digits, in the C locale's form whatever the user's locale.
std::string HistogramCsv(const Histogram& counts, const LevelStatistics& statistics);
std::string HistogramJson(const Histogram& counts, const LevelStatistics& statistics);

}  // namespace lumagrove
