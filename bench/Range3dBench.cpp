#include "BenchImages.h"
#include "operations/OperationTable.h"
#include "range3d/RangeCoordinates.h"

namespace lumagrove::bench {
namespace {

// Range images have one size only, so every benchmark here runs at 128 x 128.
const BenchImage& RangeImage() { return SceneImage(kRangeSide, kRangeSide); }

std::span<const std::uint8_t, kRangePixels> Distances(const BenchImage& image) {
    return std::span<const std::uint8_t, kRangePixels>(image.pixels.data(), kRangePixels);
}

void RangeToCoordinates(benchmark::State& state) {
    const BenchImage& image = RangeImage();
    RangeCoordinates points;
    for (auto _ : state) {
        lumagrove::RangeToCoordinates(Distances(image), points);
        benchmark::DoNotOptimize(points.z.get());
        benchmark::ClobberMemory();
    }
    CountBytes(state, image);
}

void LabelSurfaceOrientations(benchmark::State& state) {
    const BenchImage& image = RangeImage();
    RangeCoordinates points;
    lumagrove::RangeToCoordinates(Distances(image), points);
    for (auto _ : state) benchmark::DoNotOptimize(lumagrove::LabelSurfaceOrientations(points));
    CountBytes(state, image);
}

// The whole menu command: size check, planes, conversion and labels.
void ConvertTo3D(benchmark::State& state) {
    const BenchImage& image = RangeImage();
    const ImageView source{image.pixels, image.width, image.height};
    const OperationRunner convert = FindOperationByCommand("range3d")->run;
    for (auto _ : state) benchmark::DoNotOptimize(convert(source, {}, [](const Message&) {}));
    CountBytes(state, image);
}

BENCHMARK(RangeToCoordinates)->Unit(benchmark::kMicrosecond);
BENCHMARK(LabelSurfaceOrientations)->Unit(benchmark::kMicrosecond);
BENCHMARK(ConvertTo3D)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace lumagrove::bench
