#include "BenchImages.h"
#include "imaging/EdgeDetection.h"

namespace lumagrove::bench {
namespace {

void GradientImage(benchmark::State& state) {
    const BenchImage& image = ImageFor(state);
    const ImageView work{image.pixels, image.width, image.height};
    for (auto _ : state) benchmark::DoNotOptimize(lumagrove::GradientImage(work));
    CountBytes(state, image);
}

void GradientField(benchmark::State& state) {
    const BenchImage& image = ImageFor(state);
    const ImageView work{image.pixels, image.width, image.height};
    for (auto _ : state) benchmark::DoNotOptimize(lumagrove::GradientField(work));
    CountBytes(state, image);
}

// The settings' defaults: threshold 30, direction 45.
void EdgesByGradient(benchmark::State& state) {
    const BenchImage& image = ImageFor(state);
    const ImageView work{image.pixels, image.width, image.height};
    for (auto _ : state) benchmark::DoNotOptimize(lumagrove::EdgesByGradient(work, 30));
    CountBytes(state, image);
}

void EdgesByDirection(benchmark::State& state) {
    const BenchImage& image = ImageFor(state);
    const ImageView work{image.pixels, image.width, image.height};
    for (auto _ : state) benchmark::DoNotOptimize(lumagrove::EdgesByDirection(work, 30, 45));
    CountBytes(state, image);
}

BENCHMARK(GradientImage)->Apply(StandardSizes);
BENCHMARK(GradientField)->Apply(StandardSizes);
BENCHMARK(EdgesByGradient)->Apply(StandardSizes);
BENCHMARK(EdgesByDirection)->Apply(StandardSizes);

}  // namespace
}  // namespace lumagrove::bench
