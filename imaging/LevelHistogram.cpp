#include "imaging/LevelHistogram.h"

#include <charconv>
#include <cmath>
#include <utility>
#include <vector>

namespace lumagrove {

namespace {

// "127.5", "0.00123", "1.5e-05".
std::string Real(double value) {
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6);
    return std::string(text, error == std::errc() ? end : text);
}

}  // namespace

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

std::vector<std::pair<const char*, std::string>> StatisticRows(const LevelStatistics& statistics) {
    return {{"pixels", std::to_string(statistics.pixels)},   {"minimum", std::to_string(statistics.minimum)},
            {"maximum", std::to_string(statistics.maximum)}, {"mean", Real(statistics.mean)},
            {"stddev", Real(statistics.standardDeviation)},  {"mode", std::to_string(statistics.mode)}};
}

std::string HistogramCsv(const Histogram& counts, const LevelStatistics& statistics) {
    std::string text = "level,count\n";
    for (std::int32_t level = 0; level < 256; ++level) {
        text.append(std::to_string(level)).append(",").append(std::to_string(counts[level])).push_back('\n');
    }
    for (const auto& [name, value] : StatisticRows(statistics)) {
        text.append("# ").append(name).append("=").append(value).push_back('\n');
    }
    return text;
}

std::string HistogramJson(const Histogram& counts, const LevelStatistics& statistics) {
    std::string text = "{\"counts\":[";
    for (std::int32_t level = 0; level < 256; ++level) {
        if (level > 0) text.push_back(',');
        text.append(std::to_string(counts[level]));
    }
    text.push_back(']');
    for (const auto& [name, value] : StatisticRows(statistics)) {
        text.append(",\"").append(name).append("\":").append(value);
    }
    text.append("}\n");
    return text;
}

}  // namespace lumagrove
