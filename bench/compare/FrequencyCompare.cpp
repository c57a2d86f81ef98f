#include <fftw3.h>

#include <opencv2/core.hpp>

#include "BenchImages.h"
#include "compare/OpenCvImages.h"
#include "frequency/FftwArrays.h"
#include "frequency/FftwPlanner.h"
#include "frequency/FrequencyFilters.h"

namespace lumagrove::bench {
namespace {

// OpenCV's side starts from the image already in doubles, so its timings
// leave out the conversion ours includes.
cv::Mat DoublesOf(const BenchImage& image) {
    cv::Mat doubles;
    MatOf(image).convertTo(doubles, CV_64F);
    return doubles;
}

template <typename Operation>
void Ours(benchmark::State& state, Operation operation) {
    const BenchImage& image = ImageFor(state);
    const Reporter ignore = [](const Message&) {};
    for (auto _ : state) {
        const ImageView work{image.pixels, image.width, image.height};
        benchmark::DoNotOptimize(operation(work, ignore));
    }
}

void OursSpectrum(benchmark::State& state) {
    Ours(state, [](ImageView work, const Reporter& report) { return lumagrove::FourierSpectrum(work, report); });
}

// Half the width as the cut-off radius: every column is cut, the slowest case.
void OursLowPass(benchmark::State& state) {
    Ours(state, [](ImageView work, const Reporter& report) {
        return lumagrove::GlobalLowPass(work, work.width / 2, 0, report);
    });
}

void OursHighPass(benchmark::State& state) {
    Ours(state, [](ImageView work, const Reporter& report) {
        return lumagrove::GlobalHighPass(work, work.width / 2, 0, report);
    });
}

void OpenCvForward(benchmark::State& state) {
    const cv::Mat input = DoublesOf(ImageFor(state));
    for (auto _ : state) {
        cv::Mat spectrum;
        cv::dft(input, spectrum, cv::DFT_COMPLEX_OUTPUT);
        benchmark::DoNotOptimize(spectrum.data);
    }
}

// What a filter costs at least in OpenCV: there and back, mask left out.
void OpenCvForwardAndBack(benchmark::State& state) {
    const cv::Mat input = DoublesOf(ImageFor(state));
    for (auto _ : state) {
        cv::Mat spectrum;
        cv::Mat back;
        cv::dft(input, spectrum, cv::DFT_COMPLEX_OUTPUT);
        cv::idft(spectrum, back, cv::DFT_REAL_OUTPUT);
        benchmark::DoNotOptimize(back.data);
    }
}

// The plain route: one complex 2-D transform planned in estimate mode.
void FftwComplexForward(benchmark::State& state) {
    const BenchImage& image = ImageFor(state);
    const std::size_t count = image.pixels.size();
    const ComplexArray in = AllocateComplex(count);
    const ComplexArray out = AllocateComplex(count);
    for (std::size_t i = 0; i < count; ++i) {
        in[i][0] = image.pixels[i];
        in[i][1] = 0.0;
    }
    const FftwPlan plan = MakePlan(
        [&] { return fftw_plan_dft_2d(image.height, image.width, in.get(), out.get(), FFTW_FORWARD, FFTW_ESTIMATE); });
    for (auto _ : state) {
        fftw_execute(plan.get());
        benchmark::ClobberMemory();
    }
}

BENCHMARK(OursSpectrum)->Name("ours/spectrum")->Apply(StandardSizes);
BENCHMARK(OpenCvForward)->Name("opencv/spectrum")->Apply(StandardSizes);
BENCHMARK(OursLowPass)->Name("ours/lowpass")->Apply(StandardSizes);
BENCHMARK(OpenCvForwardAndBack)->Name("opencv/lowpass")->Apply(StandardSizes);
BENCHMARK(OursHighPass)->Name("ours/highpass")->Apply(StandardSizes);
BENCHMARK(OpenCvForwardAndBack)->Name("opencv/highpass")->Apply(StandardSizes);
BENCHMARK(FftwComplexForward)->Name("fftw-complex/spectrum")->Apply(StandardSizes);

}  // namespace
}  // namespace lumagrove::bench
