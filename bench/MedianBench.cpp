#include "BenchImages.h"
#include "imaging/Median.h"

namespace lumagrove::bench {
namespace {

// 3 and 5 go through the sorting networks, 15 (the dialog's largest) through
// the sliding histogram, 101 (typed) through the constant-time histograms.
void Median(benchmark::State& state, std::int32_t window) {
    const BenchImage& image = ImageFor(state);
    const ImageView work{image.pixels, image.width, image.height};
    for (auto _ : state) benchmark::DoNotOptimize(lumagrove::MedianFilter(work, window));
    CountBytes(state, image);
}

BENCHMARK_CAPTURE(Median, window3, 3)->Apply(StandardSizes);
BENCHMARK_CAPTURE(Median, window5, 5)->Apply(StandardSizes);
BENCHMARK_CAPTURE(Median, window15, 15)->Args({1024, 1024})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Median, window101, 101)->Args({1024, 1024})->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lumagrove::bench
