#include "range3d/SurfaceOrientation.h"

#include <cmath>

namespace lumagrove {
namespace {

// The bins are defined with this rounded factor, not the exact 180/pi: a
// normal pointing straight at the scanner comes out at 180.00006 degrees,
// and angles just below a bin edge move into the next bin.
constexpr double kDegreesPerRadian = 57.2958;
constexpr std::int32_t kDegreesPerBin = 5;

// Whole degrees, truncated toward zero. A 0/0 quotient leaves no angle
// (NaN), and that angle counts as 0.
std::int32_t WholeDegrees(double radians) {
    const double degrees = radians * kDegreesPerRadian;
    return std::isnan(degrees) ? 0 : static_cast<std::int32_t>(degrees);
}

}  // namespace

OrientationBin BinOfNormal(double nx, double ny, double nz) {
    const double length = std::sqrt(nx * nx + ny * ny + nz * nz);
    const std::int32_t polar = WholeDegrees(std::acos(nz / length));
    // The single-argument arctangent folds a normal and its opposite onto one
    // azimuth, so only -90 ... 90 degrees occur; the negative ones are turned
    // into 270 ... 359 after truncation.
    std::int32_t azimuth = WholeDegrees(std::atan(ny / nx));
    if (azimuth < 0) azimuth += 360;
    return {polar / kDegreesPerBin, azimuth / kDegreesPerBin};
}

}  // namespace lumagrove
