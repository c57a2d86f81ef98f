#include <array>
#include <cmath>

#include "range3d/RangeCoordinates.h"

namespace lumagrove {
namespace {

// The scanner's calibration. A column turns the ray sideways by its angle
// alpha; a row sets the vertical angle beta, which the column also tilts a
// little.
constexpr double kOpticalCentre = 63.5;
constexpr double kColumnStep = 3.2e-5;
constexpr double kRowStep = 0.008175883737008543;
constexpr double kColumnAngleScale = 255.662813926;
// Depths are measured from a plane this far in front of the scanner.
constexpr double kDepthOffset = 10.0;

// A pixel's ray is (tanAlpha, tanBeta, 1); squaredLength is its length squared.
struct Ray {
    double tanAlpha;
    double tanBeta;
    double squaredLength;
};
using RayTable = std::array<Ray, kRangePixels>;

// The rays depend only on the pixel's place, so the tangents are worked out
// once per process instead of twice per pixel on every conversion.
const RayTable& Rays() {
    static const std::unique_ptr<RayTable> rays = [] {
        auto table = std::make_unique<RayTable>();
        for (std::int32_t r = 0; r < kRangeSide; ++r) {
            for (std::int32_t c = 0; c < kRangeSide; ++c) {
                const double a = (static_cast<double>(c) - kOpticalCentre) * kColumnStep;
                const double b = (kOpticalCentre - static_cast<double>(r)) * kRowStep;
                const double tanAlpha = std::tan(a * kColumnAngleScale);
                const double tanBeta = std::tan(b - a);
                (*table)[static_cast<std::size_t>(r * kRangeSide + c)] = {
                    tanAlpha, tanBeta, tanAlpha * tanAlpha + tanBeta * tanBeta + 1.0};
            }
        }
        return table;
    }();
    return *rays;
}

}  // namespace

void RangeToCoordinates(std::span<const std::uint8_t, kRangePixels> pixels, RangeCoordinates& coordinates) {
    const RayTable& rays = Rays();
    double* x = coordinates.x.get();
    double* y = coordinates.y.get();
    double* z = coordinates.z.get();
    for (std::size_t i = 0; i < kRangePixels; ++i) {
        const double range = pixels[i];
        // The depth at which the ray has the pixel's length. X and Y scale
        // with the depth after the offset is added, as the calibration expects.
        const double depth = std::sqrt(range * range / rays[i].squaredLength) + kDepthOffset;
        x[i] = rays[i].tanAlpha * depth;
        y[i] = rays[i].tanBeta * depth;
        z[i] = depth;
    }
}

}  // namespace lumagrove
