#include "BenchImages.h"
#include "imaging/FilterImage.h"

namespace lumagrove::bench {
namespace {

// Each iteration builds its working image, as a menu command does, so the
// copy of the pixels is part of what is measured.
template <typename Operation>
void Measure(benchmark::State& state, Operation operation) {
    const BenchImage& image = ImageFor(state);
    const Reporter ignore = [](const Message&) {};
    for (auto _ : state) {
        FilterImage work(image.pixels, image.width, image.height);
        benchmark::DoNotOptimize(operation(work, ignore));
    }
    CountBytes(state, image);
}

void FourierSpectrum(benchmark::State& state) {
    Measure(state, [](FilterImage& work, const Reporter& report) { return work.fourierSpectrum(report); });
}

// A cut-off radius of half the width leaves every column but the first cut
// by the mask, so every column takes both its transforms: the slowest case.
void GlobalLowPass(benchmark::State& state) {
    Measure(state,
            [](FilterImage& work, const Reporter& report) { return work.globalLowPass(work.width / 2, 0, report); });
}

void GlobalHighPass(benchmark::State& state) {
    Measure(state,
            [](FilterImage& work, const Reporter& report) { return work.globalHighPass(work.width / 2, 0, report); });
}

BENCHMARK(FourierSpectrum)->Apply(StandardSizes);
BENCHMARK(GlobalLowPass)->Apply(StandardSizes);
BENCHMARK(GlobalHighPass)->Apply(StandardSizes);

}  // namespace
}  // namespace lumagrove::bench
