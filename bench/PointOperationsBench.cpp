#include <cstring>

#include "BenchImages.h"
#include "imaging/PointOperations.h"

namespace lumagrove::bench {
namespace {

// The bandwidth limit: one read and one write of the same bytes.
void Memcpy(benchmark::State& state) {
    const BenchImage& image = ImageFor(state);
    PixelArray destination(image.pixels.size());
    for (auto _ : state) {
        std::memcpy(destination.data(), image.pixels.data(), image.pixels.size());
        benchmark::DoNotOptimize(destination.data());
        benchmark::ClobberMemory();
    }
    CountBytes(state, image);
}

void Negate(benchmark::State& state) {
    const BenchImage& image = ImageFor(state);
    const ImageView work{image.pixels, image.width, image.height};
    for (auto _ : state) benchmark::DoNotOptimize(lumagrove::Negate(work));
    CountBytes(state, image);
}

void Binarize(benchmark::State& state) {
    const BenchImage& image = ImageFor(state);
    const ImageView work{image.pixels, image.width, image.height};
    for (auto _ : state) benchmark::DoNotOptimize(lumagrove::Binarize(work, 150));
    CountBytes(state, image);
}

BENCHMARK(Memcpy)->Apply(StandardSizes);
BENCHMARK(Negate)->Apply(StandardSizes);
BENCHMARK(Binarize)->Apply(StandardSizes);

}  // namespace
}  // namespace lumagrove::bench
