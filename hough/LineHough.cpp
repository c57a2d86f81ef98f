#include "hough/LineHough.h"

#include <cmath>

#include "hough/IntegerSquareRoot.h"
#include "hough/LinePeaks.h"

namespace lumagrove {
namespace {

// Degrees to radians as every angle of the line transform is formed.
double Radians(std::int32_t degrees, double pi) { return (degrees * pi) * 0.005555555555555556; }

}  // namespace

LineHough::LineHough() {
    for (std::int32_t t = 0; t < LineAccumulator::kAngles; ++t) {
        const double angle = Radians(t - 180, pi);
        sinTable[t] = static_cast<float>(std::sin(angle));
        cosTable[t] = static_cast<float>(std::cos(angle));
    }
}

void LineHough::setImage(std::span<const std::uint8_t> source, std::int32_t width, std::int32_t height) {
    storeImage(source, width, height);
}

const LineAccumulator& LineHough::votes() {
    if (!accumulator) {
        // In 64 bits: the sum of squares outgrows 32 bits for images only a
        // few ten thousand pixels across.
        const auto w = static_cast<std::uint64_t>(width);
        const auto h = static_cast<std::uint64_t>(height);
        rhoCount = static_cast<std::int32_t>(IntegerSquareRoot(w * w + h * h));
        thetaCount = LineAccumulator::kAngles;
        accumulator.emplace(rhoCount);
        accumulator->vote(findEdges(edgeThreshold, direction, useDirection), width, height, sinTable, cosTable);
    }
    return *accumulator;
}

PixelArray LineHough::houghSpace(std::int32_t& outWidth, std::int32_t& outHeight) {
    const LineAccumulator& counters = votes();
    outWidth = thetaCount;
    outHeight = rhoCount;
    return counters.image();
}

void LineHough::detect() {
    const std::int32_t half = votes().rhoCount() / 2;
    FindLinePeaks(*accumulator, [&](std::int32_t rho, std::int32_t t) {
        drawLine(static_cast<float>(rho - half), static_cast<float>(Radians(t - 180, pi)));
    });
}

}  // namespace lumagrove
