#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include "BenchImages.h"
#include "compare/OpenCvImages.h"
#include "imaging/PointOperations.h"

namespace lumagrove::bench {
namespace {

void OursNegate(benchmark::State& state) {
    const BenchImage& image = ImageFor(state);
    const ImageView work{image.pixels, image.width, image.height};
    for (auto _ : state) benchmark::DoNotOptimize(lumagrove::Negate(work));
}

void OpenCvNegate(benchmark::State& state) {
    const cv::Mat input = MatOf(ImageFor(state));
    for (auto _ : state) {
        cv::Mat output;
        cv::bitwise_not(input, output);
        benchmark::DoNotOptimize(output.data);
    }
}

void OursBinarize(benchmark::State& state) {
    const BenchImage& image = ImageFor(state);
    const ImageView work{image.pixels, image.width, image.height};
    for (auto _ : state) benchmark::DoNotOptimize(lumagrove::Binarize(work, 150));
}

void OpenCvBinarize(benchmark::State& state) {
    const cv::Mat input = MatOf(ImageFor(state));
    for (auto _ : state) {
        cv::Mat output;
        cv::threshold(input, output, 150, 255, cv::THRESH_BINARY);
        benchmark::DoNotOptimize(output.data);
    }
}

BENCHMARK(OursNegate)->Name("ours/negate")->Apply(StandardSizes);
BENCHMARK(OpenCvNegate)->Name("opencv/negate")->Apply(StandardSizes);
BENCHMARK(OursBinarize)->Name("ours/binarize")->Apply(StandardSizes);
BENCHMARK(OpenCvBinarize)->Name("opencv/binarize")->Apply(StandardSizes);

}  // namespace
}  // namespace lumagrove::bench
