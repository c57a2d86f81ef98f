#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "base/PixelArray.h"
#include "formats/ImageRecord.h"

namespace lumagrove::testing {

// A plain image for tests: owned bytes plus geometry.
struct TestImage {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> pixels;

    std::uint8_t& at(std::int32_t x, std::int32_t y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// The same pixels as the record the readers make and the writers take.
inline ImageRecord RecordOf(const TestImage& image) {
    ImageRecord record;
    record.width = image.width;
    record.height = image.height;
    record.pixels = PixelArray::CopyOf(image.pixels.data(), image.pixels.size());
    return record;
}

inline TestImage RandomImage(std::int32_t width, std::int32_t height, std::uint32_t seed) {
    std::mt19937 generator(seed);
    std::uniform_int_distribution<int> value(0, 255);
    TestImage image{width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height)};
    for (auto& pixel : image.pixels) pixel = static_cast<std::uint8_t>(value(generator));
    return image;
}

inline TestImage ConstantImage(std::int32_t width, std::int32_t height, std::uint8_t value) {
    return {width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height, value)};
}

// Smooth gradients with a few hard steps: the kind of content where off-by-one
// margins and truncations show.
inline TestImage StructuredImage(std::int32_t width, std::int32_t height, std::uint32_t seed) {
    std::mt19937 generator(seed);
    TestImage image = ConstantImage(width, height, 0);
    const int step = static_cast<int>(generator() % 64) + 1;
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            int value = (x * 255) / (width > 1 ? width - 1 : 1);
            if ((x / step + y / step) % 2 == 0) value = 255 - value;
            image.at(x, y) = static_cast<std::uint8_t>(value);
        }
    }
    return image;
}

inline std::vector<std::uint8_t> ToVector(const PixelArray& array) {
    return std::vector<std::uint8_t>(array.begin(), array.end());
}

// Sizes that catch margin and stride mistakes: single pixels, odd and even,
// wider than tall and the other way round.
inline const std::vector<std::pair<int, int>>& AwkwardSizes() {
    static const std::vector<std::pair<int, int>> sizes = {{1, 1},   {2, 3},   {3, 2},   {3, 3},   {10, 10},  {11, 12},
                                                           {37, 23}, {23, 37}, {64, 64}, {101, 7}, {640, 480}};
    return sizes;
}

}  // namespace lumagrove::testing
