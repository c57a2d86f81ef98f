#include "BenchImages.h"
#include "frequency/FrequencyFilters.h"

namespace lumagrove::bench {
namespace {

// Each iteration runs on the image's own pixels, as a menu command does.
template <typename Operation>
void Measure(benchmark::State& state, Operation operation) {
    const BenchImage& image = ImageFor(state);
    const Reporter ignore = [](const Message&) {};
    for (auto _ : state) {
        const ImageView work{image.pixels, image.width, image.height};
        benchmark::DoNotOptimize(operation(work, ignore));
    }
    CountBytes(state, image);
}

void FourierSpectrum(benchmark::State& state) {
    Measure(state, [](ImageView work, const Reporter& report) { return lumagrove::FourierSpectrum(work, report); });
}

// A cut-off radius of half the width leaves every column but the first cut
// by the mask, so every column takes both its transforms: the slowest case.
void GlobalLowPass(benchmark::State& state) {
    Measure(state, [](ImageView work, const Reporter& report) {
        return lumagrove::GlobalLowPass(work, work.width / 2, 0, report);
    });
}

void GlobalHighPass(benchmark::State& state) {
    Measure(state, [](ImageView work, const Reporter& report) {
        return lumagrove::GlobalHighPass(work, work.width / 2, 0, report);
    });
}

BENCHMARK(FourierSpectrum)->Apply(StandardSizes);
BENCHMARK(GlobalLowPass)->Apply(StandardSizes);
BENCHMARK(GlobalHighPass)->Apply(StandardSizes);

}  // namespace
}  // namespace lumagrove::bench
