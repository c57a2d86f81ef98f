#include "BenchImages.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <random>
#include <utility>

namespace lumagrove::bench {

const BenchImage& SceneImage(std::int32_t width, std::int32_t height) {
    static std::map<std::pair<std::int32_t, std::int32_t>, std::unique_ptr<BenchImage>> cache;
    auto& slot = cache[{width, height}];
    if (!slot) {
        slot = std::make_unique<BenchImage>(BenchImage{width, height, {}});
        slot->pixels.resize(static_cast<std::size_t>(width) * height);
        std::mt19937 noise(12345);
        for (std::int32_t y = 0; y < height; ++y) {
            for (std::int32_t x = 0; x < width; ++x) {
                const double shade = 128 + 60 * std::sin(x * 0.013) * std::cos(y * 0.011);
                const bool block = ((x / 97) + (y / 83)) % 3 == 0;
                const int value = static_cast<int>(shade) + (block ? 50 : 0) + static_cast<int>(noise() % 21) - 10;
                slot->pixels[static_cast<std::size_t>(y) * width + x] =
                    static_cast<std::uint8_t>(std::clamp(value, 0, 255));
            }
        }
    }
    return *slot;
}

void StandardSizes(benchmark::internal::Benchmark* benchmark) {
    benchmark->Args({640, 480})->Args({1024, 1024})->Args({4096, 4096})->Unit(benchmark::kMillisecond);
}

}  // namespace lumagrove::bench
