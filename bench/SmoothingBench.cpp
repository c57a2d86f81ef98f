#include "BenchImages.h"
#include "imaging/Smoothing.h"

namespace lumagrove::bench {
namespace {

// The window the menu uses.
void Uniform(benchmark::State& state) {
    const BenchImage& image = ImageFor(state);
    const ImageView work{image.pixels, image.width, image.height};
    for (auto _ : state) benchmark::DoNotOptimize(lumagrove::SmoothUniform(work, 5));
    CountBytes(state, image);
}

// A window wide enough that the sums no longer fit 16 bits.
void UniformWide(benchmark::State& state) {
    const BenchImage& image = ImageFor(state);
    const ImageView work{image.pixels, image.width, image.height};
    for (auto _ : state) benchmark::DoNotOptimize(lumagrove::SmoothUniform(work, 301));
    CountBytes(state, image);
}

void Gaussian(benchmark::State& state, double sigma) {
    const BenchImage& image = ImageFor(state);
    const ImageView work{image.pixels, image.width, image.height};
    for (auto _ : state) benchmark::DoNotOptimize(lumagrove::SmoothGaussian(work, sigma, 150));
    CountBytes(state, image);
}

BENCHMARK(Uniform)->Apply(StandardSizes);
BENCHMARK(UniformWide)->Args({1024, 1024})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Gaussian, sigma1, 1.0)->Apply(StandardSizes);
BENCHMARK_CAPTURE(Gaussian, sigma6, 6.0)->Apply(StandardSizes);

}  // namespace
}  // namespace lumagrove::bench
