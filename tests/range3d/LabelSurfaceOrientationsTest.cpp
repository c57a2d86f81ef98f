#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "RangeReference.h"
#include "Vector3.h"
#include "range3d/SurfaceOrientation.h"
#include "support/TestImages.h"

namespace lumagrove {
namespace {

using testing::Cross;
using testing::ReferenceLabels;
using testing::ToVector;
using testing::Vec;

// A band of columns of the central region whose points all share one normal,
// and the label the band should get.
struct Band {
    int width;
    Vec normal;
    std::uint8_t label;
};

// Points whose step to the point above is `up` everywhere and whose step to
// the right makes the normal of each band (every normal is perpendicular to
// `up`). The bands cover the central columns 20 ... 99 from the left.
RangeCoordinates BandedSurface(Vec up, const std::vector<Band>& bands) {
    std::vector<Vec> steps;  // the step from column c to c + 1
    for (const Band& band : bands) {
        const Vec step = Cross(band.normal, up);
        const double scale = up.x * up.x + up.y * up.y + up.z * up.z;
        steps.insert(steps.end(), static_cast<std::size_t>(band.width),
                     {step.x / scale, step.y / scale, step.z / scale});
    }
    RangeCoordinates points;
    Vec column{0, 0, 0};
    for (int c = 0; c < 128; ++c) {
        for (int r = 0; r < 128; ++r) {
            points.x[r * 128 + c] = column.x - r * up.x;
            points.y[r * 128 + c] = column.y - r * up.y;
            points.z[r * 128 + c] = column.z - r * up.z;
        }
        const Vec& step = steps[static_cast<std::size_t>(std::clamp(c - 20, 0, 79))];
        column = {column.x + step.x, column.y + step.y, column.z + step.z};
    }
    return points;
}

// Labels land one row above the central rows 20 ... 99.
std::vector<std::uint8_t> ExpectedLabels(const std::vector<Band>& bands) {
    std::vector<std::uint8_t> labels(kRangePixels, 0);
    int c = 20;
    for (const Band& band : bands) {
        for (int end = c + band.width; c < end; ++c) {
            for (int r = 19; r <= 98; ++r) labels[r * 128 + c] = band.label;
        }
    }
    return labels;
}

void ExpectLabels(Vec up, const std::vector<Band>& bands) {
    const RangeCoordinates points = BandedSurface(up, bands);
    EXPECT_EQ(ReferenceLabels(points), ExpectedLabels(bands));
    EXPECT_EQ(ToVector(LabelSurfaceOrientations(points)), ExpectedLabels(bands));
}

double Radians(double degrees) { return degrees * std::numbers::pi / 180; }
// Normals in the x-z plane at the middle of polar bin `bin`, azimuth 0.
Vec PolarBin(int bin) { return {std::sin(Radians(5 * bin + 2.5)), 0, std::cos(Radians(5 * bin + 2.5))}; }
// Normals in the x-y plane (polar 90 degrees) at this azimuth.
Vec Azimuth(double degrees) { return {std::cos(Radians(degrees)), std::sin(Radians(degrees)), 0}; }
constexpr Vec kPolarUp{0, 1, 0};
constexpr Vec kAzimuthUp{0, 0, 1};

TEST(LabelSurfaceOrientations, OneOrientationFillsTheRegionOneRowAboveTheCentre) {
    // The only peak is found first; every later search repeats it.
    ExpectLabels(kPolarUp, {{80, PolarBin(8), 100}});
}

TEST(LabelSurfaceOrientations, SeventhEighthAndNinthPeaksAreTheClassesAndLaterOnesWin) {
    // Band widths rank the peaks. The sixth peak (bin 5) centres no class but
    // sits next to the seventh; bins 6, 7 and 8 carry classes 255, 170, 100.
    ExpectLabels(kPolarUp, {{15, PolarBin(30), 0},
                            {3, PolarBin(12), 0},
                            {7, PolarBin(5), 255},
                            {10, PolarBin(24), 0},
                            {5, PolarBin(7), 100},
                            {13, PolarBin(27), 0},
                            {4, PolarBin(8), 100},
                            {9, PolarBin(21), 0},
                            {6, PolarBin(6), 170},
                            {8, PolarBin(18), 0}});
}

TEST(LabelSurfaceOrientations, OppositeNormalsShareOneAzimuth) {
    ExpectLabels(kAzimuthUp, {{40, {1, 0.2, 0}, 100}, {40, {-1, -0.2, 0}, 100}});
}

TEST(LabelSurfaceOrientations, AzimuthBinsDoNotWrapAround) {
    // 357 degrees (bin 71) peaks first; 2 degrees (bin 0) repeats from the
    // second search on, and is no neighbour of bin 71.
    ExpectLabels(kAzimuthUp, {{50, Azimuth(-3), 0}, {30, Azimuth(2), 100}});
}

TEST(LabelSurfaceOrientations, VotesPastTheTableAreDroppedAndLabelNothing) {
    // Facing the scanner (polar bin 36) in azimuth bin 71: no slot, no peak at all.
    ExpectLabels({0, 1, -5e-11}, {{80, {1e-9, -5e-11, -1}, 0}});
}

TEST(BinOfNormal, TruncatesAndFoldsAnglesIntoBins) {
    const struct {
        Vec normal;
        int polar, azimuth;
    } cases[] = {
        {{0, 0, 0}, 0, 0},    // 0/0: both angles 0
        {{0, 0, -1}, 36, 0},  // 180.00006 degrees
        {{0, 0, 1}, 0, 0},
        {{0, 1, 0}, 18, 18},     // +infinity: 90
        {{0, -1, 0}, 18, 54},    // -infinity: -90 + 360
        {{1, -0.01, 0}, 18, 0},  // -0.57 truncates to 0 before 360 is added
        {{1, -0.1, 0}, 18, 71},  // -5.71 -> -5 -> 355
        {{-1, 1, 0}, 18, 63},    // atan folds 135 degrees onto -45
        // 44.999995 degrees: 57.2958 (not 180/pi) per radian lifts it to 45.000011.
        {{std::sin(Radians(44.999995)), 0, std::cos(Radians(44.999995))}, 9, 0},
    };
    for (const auto& test : cases) {
        const OrientationBin bin = BinOfNormal(test.normal.x, test.normal.y, test.normal.z);
        EXPECT_EQ(bin.polar, test.polar) << test.normal.x << " " << test.normal.y << " " << test.normal.z;
        EXPECT_EQ(bin.azimuth, test.azimuth) << test.normal.x << " " << test.normal.y << " " << test.normal.z;
    }
}

}  // namespace
}  // namespace lumagrove
