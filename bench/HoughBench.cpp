#include <cmath>

#include "BenchImages.h"
#include "hough/CircleHough.h"
#include "hough/CirclePeaks.h"
#include "hough/EdgePoints.h"
#include "hough/LineAccumulator.h"
#include "hough/LineHough.h"
#include "hough/LinePeaks.h"
#include "imaging/EdgeDetection.h"

namespace lumagrove::bench {
namespace {

// The edge pixels each transform votes with by default.
EdgePoints EdgesOf(const BenchImage& image, std::int32_t threshold) {
    const ImageView gray{image.pixels, image.width, image.height};
    return EdgePoints(lumagrove::EdgesByGradient(gray, threshold), image.width, image.height);
}

std::int32_t RhoCountOf(const BenchImage& image) {
    return static_cast<std::int32_t>(
        std::sqrt(double(image.width) * image.width + double(image.height) * image.height));
}

void LineAccumulate(benchmark::State& state) {
    const BenchImage& image = ImageFor(state);
    const EdgePoints edges = EdgesOf(image, 12);
    const LineAngleTables& tables = LineAngles();
    for (auto _ : state) {
        LineAccumulator accumulator(RhoCountOf(image));
        accumulator.vote(edges, image.width, image.height, tables.sin, tables.cos);
        benchmark::DoNotOptimize(accumulator.angle(0));
    }
    state.counters["edge pixels"] = static_cast<double>(edges.size());
}

void LinePeaks(benchmark::State& state) {
    const BenchImage& image = ImageFor(state);
    LineAccumulator accumulator(RhoCountOf(image));
    accumulator.vote(EdgesOf(image, 12), image.width, image.height, LineAngles().sin, LineAngles().cos);
    for (auto _ : state) {
        int peaks = 0;
        FindLinePeaks(accumulator, [&](std::int32_t, std::int32_t) { ++peaks; });
        benchmark::DoNotOptimize(peaks);
    }
}

void LinesCommand(benchmark::State& state) {
    const BenchImage& image = ImageFor(state);
    const ImageView view{image.pixels, image.width, image.height};
    for (auto _ : state) benchmark::DoNotOptimize(Superimposed(view, DetectLines(view, kLineEdges)));
    CountBytes(state, image);
}

void CirclePeaks(benchmark::State& state) {
    const BenchImage& image = ImageFor(state);
    const EdgePoints edges = EdgesOf(image, 25);
    for (auto _ : state) {
        int peaks = 0;
        FindCirclePeaks(edges, image.width, image.height, image.width / 2,
                        [&](std::int32_t, std::int32_t, std::int32_t) { ++peaks; });
        benchmark::DoNotOptimize(peaks);
    }
    state.counters["edge pixels"] = static_cast<double>(edges.size());
}

void CircleSpace(benchmark::State& state) {
    const BenchImage& image = ImageFor(state);
    const ImageView view{image.pixels, image.width, image.height};
    for (auto _ : state) benchmark::DoNotOptimize(CircleHoughSpace(view, kCircleEdges, 14));
    CountBytes(state, image);
}

void CirclesCommand(benchmark::State& state) {
    const BenchImage& image = ImageFor(state);
    const ImageView view{image.pixels, image.width, image.height};
    for (auto _ : state) benchmark::DoNotOptimize(Superimposed(view, DetectCircles(view, kCircleEdges)));
    CountBytes(state, image);
}

BENCHMARK(LineAccumulate)->Apply(StandardSizes);
BENCHMARK(LinePeaks)->Apply(StandardSizes);
BENCHMARK(LinesCommand)->Apply(StandardSizes);
BENCHMARK(CirclePeaks)->Apply(StandardSizes);
BENCHMARK(CircleSpace)->Apply(StandardSizes);
BENCHMARK(CirclesCommand)->Apply(StandardSizes);

}  // namespace
}  // namespace lumagrove::bench
