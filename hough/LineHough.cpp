#include "hough/LineHough.h"

#include <cmath>

#include "hough/IntegerSquareRoot.h"
#include "hough/LinePeaks.h"

namespace lumagrove {
namespace {

// Degrees to radians as every angle of the line transform is formed.
double Radians(std::int32_t degrees) { return (degrees * kLinePi) * 0.005555555555555556; }

LineAccumulator Votes(ImageView image, const EdgeSettings& edges) {
    // In 64 bits: the sum of squares outgrows 32 bits for images only a few
    // ten thousand pixels across.
    const auto w = static_cast<std::uint64_t>(image.width);
    const auto h = static_cast<std::uint64_t>(image.height);
    LineAccumulator accumulator(static_cast<std::int32_t>(IntegerSquareRoot(w * w + h * h)));
    const LineAngleTables& angles = LineAngles();
    accumulator.vote(FindEdges(image, edges), image.width, image.height, angles.sin, angles.cos);
    return accumulator;
}

}  // namespace

const LineAngleTables& LineAngles() {
    static const LineAngleTables tables = [] {
        LineAngleTables made;
        for (std::int32_t t = 0; t < LineAccumulator::kAngles; ++t) {
            const double angle = Radians(t - 180);
            made.sin[t] = static_cast<float>(std::sin(angle));
            made.cos[t] = static_cast<float>(std::cos(angle));
        }
        return made;
    }();
    return tables;
}

PixelArray LineHoughSpace(ImageView image, const EdgeSettings& edges, std::int32_t& outWidth, std::int32_t& outHeight) {
    const LineAccumulator counters = Votes(image, edges);
    outWidth = LineAccumulator::kAngles;
    outHeight = counters.rhoCount();
    return counters.image();
}

PixelArray DetectLines(ImageView image, const EdgeSettings& edges) {
    PixelArray overlay = PixelArray::Filled(image.pixels.size(), 0);
    const LineAccumulator counters = Votes(image, edges);
    const std::int32_t half = counters.rhoCount() / 2;
    FindLinePeaks(counters, [&](std::int32_t rho, std::int32_t t) {
        DrawLine(overlay, image.width, image.height, static_cast<float>(rho - half),
                 static_cast<float>(Radians(t - 180)));
    });
    return overlay;
}

}  // namespace lumagrove
