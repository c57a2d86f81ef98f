#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include "BenchImages.h"
#include "compare/OpenCvImages.h"
#include "imaging/EdgeDetection.h"
#include "imaging/Equalization.h"
#include "imaging/Smoothing.h"

// Each of ours next to the nearest OpenCV call. None of the pairs computes
// the same bytes (our margins, truncations and lifts are our own); they show
// what the same work costs in a tuned library.
namespace lumagrove::bench {
namespace {

void OursUniform(benchmark::State& state) {
    const BenchImage& image = ImageFor(state);
    const ImageView work{image.pixels, image.width, image.height};
    for (auto _ : state) benchmark::DoNotOptimize(lumagrove::SmoothUniform(work, 5));
}

void OpenCvUniform(benchmark::State& state) {
    const cv::Mat input = MatOf(ImageFor(state));
    for (auto _ : state) {
        cv::Mat output;
        cv::blur(input, output, cv::Size(5, 5));
        benchmark::DoNotOptimize(output.data);
    }
}

void OursGaussian(benchmark::State& state) {
    const BenchImage& image = ImageFor(state);
    const ImageView work{image.pixels, image.width, image.height};
    for (auto _ : state) benchmark::DoNotOptimize(lumagrove::SmoothGaussian(work, 1.0, 150));
}

void OpenCvGaussian(benchmark::State& state) {
    const cv::Mat input = MatOf(ImageFor(state));
    for (auto _ : state) {
        cv::Mat output;
        cv::GaussianBlur(input, output, cv::Size(3, 3), 1.0);
        benchmark::DoNotOptimize(output.data);
    }
}

void OursEqualize(benchmark::State& state) {
    const BenchImage& image = ImageFor(state);
    const ImageView work{image.pixels, image.width, image.height};
    for (auto _ : state) benchmark::DoNotOptimize(lumagrove::EqualizeGlobal(work));
}

void OpenCvEqualize(benchmark::State& state) {
    const cv::Mat input = MatOf(ImageFor(state));
    for (auto _ : state) {
        cv::Mat output;
        cv::equalizeHist(input, output);
        benchmark::DoNotOptimize(output.data);
    }
}

void OursGradient(benchmark::State& state) {
    const BenchImage& image = ImageFor(state);
    const ImageView work{image.pixels, image.width, image.height};
    for (auto _ : state) benchmark::DoNotOptimize(lumagrove::GradientImage(work));
}

// Both derivatives, then the length of the gradient in floats.
void OpenCvGradient(benchmark::State& state) {
    const cv::Mat input = MatOf(ImageFor(state));
    for (auto _ : state) {
        cv::Mat dx, dy, length;
        cv::Sobel(input, dx, CV_32F, 1, 0);
        cv::Sobel(input, dy, CV_32F, 0, 1);
        cv::magnitude(dx, dy, length);
        benchmark::DoNotOptimize(length.data);
    }
}

BENCHMARK(OursUniform)->Name("ours/uniform")->Apply(StandardSizes);
BENCHMARK(OpenCvUniform)->Name("opencv/uniform")->Apply(StandardSizes);
BENCHMARK(OursGaussian)->Name("ours/gaussian")->Apply(StandardSizes);
BENCHMARK(OpenCvGaussian)->Name("opencv/gaussian")->Apply(StandardSizes);
BENCHMARK(OursEqualize)->Name("ours/equalize")->Apply(StandardSizes);
BENCHMARK(OpenCvEqualize)->Name("opencv/equalize")->Apply(StandardSizes);
BENCHMARK(OursGradient)->Name("ours/gradient")->Apply(StandardSizes);
BENCHMARK(OpenCvGradient)->Name("opencv/gradient")->Apply(StandardSizes);

}  // namespace
}  // namespace lumagrove::bench
