#include <array>

#include "range3d/OrientationHistogram.h"
#include "range3d/RangeCoordinates.h"
#include "range3d/SurfaceOrientation.h"

namespace lumagrove {
namespace {

// Normals are estimated on the central points only, rows and columns 20 ... 99.
constexpr std::int32_t kFirstCentral = 20;
constexpr std::int32_t kCentralSide = 80;

constexpr std::uint8_t kSeventhClass = 255;
constexpr std::uint8_t kEighthClass = 170;
constexpr std::uint8_t kNinthClass = 100;

// The orientation at point i, from the normal of the steps to the point above
// and to the point on the right.
OrientationBin OrientationAt(const RangeCoordinates& points, std::size_t i) {
    const std::size_t above = i - kRangeSide;
    const std::size_t right = i + 1;
    const double ax = points.x[above] - points.x[i];
    const double ay = points.y[above] - points.y[i];
    const double az = points.z[above] - points.z[i];
    const double bx = points.x[right] - points.x[i];
    const double by = points.y[right] - points.y[i];
    const double bz = points.z[right] - points.z[i];
    return BinOfNormal(ay * bz - az * by, az * bx - ax * bz, ax * by - ay * bx);
}

std::size_t IndexOf(std::int32_t column, std::int32_t row) {
    return static_cast<std::size_t>(row * kRangeSide + column);
}

}  // namespace

PixelArray LabelSurfaceOrientations(const RangeCoordinates& points) {
    std::array<OrientationBin, static_cast<std::size_t>(kCentralSide * kCentralSide)> orientations;
    OrientationHistogram histogram;
    std::size_t next = 0;
    for (std::int32_t r = kFirstCentral; r < kFirstCentral + kCentralSide; ++r) {
        for (std::int32_t c = kFirstCentral; c < kFirstCentral + kCentralSide; ++c) {
            orientations[next] = OrientationAt(points, IndexOf(c, r));
            histogram.vote(orientations[next++]);
        }
    }

    // The six most frequent orientations are passed over; the next three
    // are the classes.
    for (int skipped = 0; skipped < 6; ++skipped) histogram.nextPeak();
    const OrientationBin seventh = histogram.nextPeak();
    const OrientationBin eighth = histogram.nextPeak();
    const OrientationBin ninth = histogram.nextPeak();

    // A later class wins where classes overlap. Each label is stored one row
    // above the point whose normal it describes, so the labelled region is
    // rows 19 ... 98.
    PixelArray labels = PixelArray::Filled(kRangePixels, 0);
    next = 0;
    for (std::int32_t r = kFirstCentral - 1; r < kFirstCentral - 1 + kCentralSide; ++r) {
        for (std::int32_t c = kFirstCentral; c < kFirstCentral + kCentralSide; ++c) {
            const OrientationBin orientation = orientations[next++];
            std::uint8_t label = 0;
            if (WithinOneBin(orientation, ninth)) {
                label = kNinthClass;
            } else if (WithinOneBin(orientation, eighth)) {
                label = kEighthClass;
            } else if (WithinOneBin(orientation, seventh)) {
                label = kSeventhClass;
            }
            labels[IndexOf(c, r)] = label;
        }
    }
    return labels;
}

}  // namespace lumagrove
