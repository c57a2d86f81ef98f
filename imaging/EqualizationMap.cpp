#include "imaging/EqualizationMap.h"

#include <cstring>

namespace lumagrove {

// Eight bytes are read at once and counted into four interleaved tables, so
// that runs of equal pixels do not wait on one counter's previous increment.
Histogram AreaHistogram(const std::uint8_t* pixels, std::ptrdiff_t width, const Area& area) {
    std::array<Histogram, 4> partial{};
    const std::ptrdiff_t length = area.x2 - area.x1;
    for (std::ptrdiff_t y = area.y1; y < area.y2; ++y) {
        const std::uint8_t* row = pixels + y * width + area.x1;
        std::ptrdiff_t x = 0;
        for (; x + 8 <= length; x += 8) {
            std::uint64_t word;
            std::memcpy(&word, row + x, sizeof word);
            for (int b = 0; b < 8; b += 4) {
                ++partial[0][(word >> (8 * b)) & 0xFF];
                ++partial[1][(word >> (8 * b + 8)) & 0xFF];
                ++partial[2][(word >> (8 * b + 16)) & 0xFF];
                ++partial[3][(word >> (8 * b + 24)) & 0xFF];
            }
        }
        for (; x < length; ++x) ++partial[0][row[x]];
    }
    Histogram total{};
    for (int level = 0; level < 256; ++level) {
        total[level] = partial[0][level] + partial[1][level] + partial[2][level] + partial[3][level];
    }
    return total;
}

LevelMap EqualizationMap(const Histogram& histogram, std::int64_t pixelCount) {
    std::array<float, 256> distribution{};
    for (int level = 0; level < 256; ++level) {
        distribution[level] = static_cast<float>(histogram[level] / static_cast<double>(pixelCount));
    }
    for (int level = 1; level < 256; ++level) distribution[level] = distribution[level - 1] + distribution[level];
    LevelMap map{};
    for (int level = 0; level < 256; ++level) {
        map[level] = static_cast<std::uint8_t>(static_cast<int>(static_cast<double>(distribution[level]) * 255.0));
    }
    return map;
}

// Eight pixels per load and per store, looked up one by one.
void MapArea(const LevelMap& map, const std::uint8_t* from, std::uint8_t* to, std::ptrdiff_t width, const Area& area) {
    const std::ptrdiff_t length = area.x2 - area.x1;
    for (std::ptrdiff_t y = area.y1; y < area.y2; ++y) {
        const std::uint8_t* in = from + y * width + area.x1;
        std::uint8_t* out = to + y * width + area.x1;
        std::ptrdiff_t x = 0;
        for (; x + 8 <= length; x += 8) {
            std::uint64_t word;
            std::memcpy(&word, in + x, sizeof word);
            std::uint64_t mapped = 0;
            for (int b = 0; b < 8; ++b) mapped |= std::uint64_t{map[(word >> (8 * b)) & 0xFF]} << (8 * b);
            std::memcpy(out + x, &mapped, sizeof mapped);
        }
        for (; x < length; ++x) out[x] = map[in[x]];
    }
}

}  // namespace lumagrove
