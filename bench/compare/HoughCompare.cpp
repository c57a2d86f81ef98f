#include <cmath>
#include <vector>

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include "BenchImages.h"
#include "hough/CircleHough.h"
#include "hough/EdgePoints.h"
#include "hough/LineAccumulator.h"
#include "hough/LineHough.h"
#include "imaging/EdgeDetection.h"

namespace lumagrove::bench {
namespace {

// The edge map the line transform votes with by default (threshold 12).
PixelArray LineEdgeMap(const BenchImage& image) {
    return lumagrove::EdgesByGradient({image.pixels, image.width, image.height}, 12);
}

// Both sides count the votes of the same edge pixels: ours over 360 angles
// of one degree, OpenCV's over 180 (it also searches and sorts its peaks).
void OursLineVotes(benchmark::State& state) {
    const BenchImage& image = ImageFor(state);
    const EdgePoints edges(LineEdgeMap(image), image.width, image.height);
    const LineAngleTables& tables = LineAngles();
    const auto rhoCount =
        static_cast<std::int32_t>(std::sqrt(double(image.width) * image.width + double(image.height) * image.height));
    for (auto _ : state) {
        LineAccumulator accumulator(rhoCount);
        accumulator.vote(edges, image.width, image.height, tables.sin, tables.cos);
        benchmark::DoNotOptimize(accumulator.angle(0));
    }
    state.counters["edge pixels"] = static_cast<double>(edges.size());
}

void OpenCvLineVotes(benchmark::State& state) {
    const BenchImage& image = ImageFor(state);
    PixelArray map = LineEdgeMap(image);
    const cv::Mat edges(image.height, image.width, CV_8UC1, map.data());
    for (auto _ : state) {
        std::vector<cv::Vec2f> lines;
        cv::HoughLines(edges, lines, 1, CV_PI / 180, 150);
        benchmark::DoNotOptimize(lines.data());
    }
}

// A whole "detect circles" command against OpenCV's gradient method for the
// same radii, both from the gray image.
void OursCircles(benchmark::State& state) {
    const BenchImage& image = ImageFor(state);
    const ImageView view{image.pixels, image.width, image.height};
    for (auto _ : state) benchmark::DoNotOptimize(Superimposed(view, DetectCircles(view, kCircleEdges)));
}

void OpenCvCircles(benchmark::State& state) {
    const BenchImage& image = ImageFor(state);
    const cv::Mat input(image.height, image.width, CV_8UC1, const_cast<std::uint8_t*>(image.pixels.data()));
    for (auto _ : state) {
        std::vector<cv::Vec3f> circles;
        cv::HoughCircles(input, circles, cv::HOUGH_GRADIENT, 1, 8, 100, 20, 4, 11);
        benchmark::DoNotOptimize(circles.data());
    }
}

BENCHMARK(OursLineVotes)->Name("ours/hough-line-votes")->Apply(StandardSizes);
BENCHMARK(OpenCvLineVotes)->Name("opencv/hough-line-votes")->Apply(StandardSizes);
BENCHMARK(OursCircles)->Name("ours/hough-circles")->Apply(StandardSizes);
BENCHMARK(OpenCvCircles)->Name("opencv/hough-circles")->Apply(StandardSizes);

}  // namespace
}  // namespace lumagrove::bench
