#include "BenchImages.h"
#include "imaging/Equalization.h"

namespace lumagrove::bench {
namespace {

void EqualizeGlobal(benchmark::State& state) {
    const BenchImage& image = ImageFor(state);
    const ImageView work{image.pixels, image.width, image.height};
    for (auto _ : state) benchmark::DoNotOptimize(lumagrove::EqualizeGlobal(work));
    CountBytes(state, image);
}

void EqualizeArea(benchmark::State& state) {
    const BenchImage& image = ImageFor(state);
    const ImageView work{image.pixels, image.width, image.height};
    const std::int32_t w = image.width;
    const std::int32_t h = image.height;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            lumagrove::EqualizeArea(work, image.pixels.data(), w / 4, h / 4, 3 * w / 4, 3 * h / 4));
    CountBytes(state, image);
}

void EqualizeFourAreas(benchmark::State& state) {
    const BenchImage& image = ImageFor(state);
    const ImageView work{image.pixels, image.width, image.height};
    for (auto _ : state) benchmark::DoNotOptimize(lumagrove::EqualizeFourAreas(work));
    CountBytes(state, image);
}

void EqualizeSixteenAreas(benchmark::State& state) {
    const BenchImage& image = ImageFor(state);
    const ImageView work{image.pixels, image.width, image.height};
    for (auto _ : state) benchmark::DoNotOptimize(lumagrove::EqualizeSixteenAreas(work));
    CountBytes(state, image);
}

BENCHMARK(EqualizeGlobal)->Apply(StandardSizes);
BENCHMARK(EqualizeArea)->Apply(StandardSizes);
BENCHMARK(EqualizeFourAreas)->Apply(StandardSizes);
BENCHMARK(EqualizeSixteenAreas)->Apply(StandardSizes);

}  // namespace
}  // namespace lumagrove::bench
