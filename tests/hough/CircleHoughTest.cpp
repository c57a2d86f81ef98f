#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "hough/CircleHough.h"
#include "hough/CirclePeaks.h"
#include "hough/CirclePlane.h"
#include "hough/EdgePoints.h"
#include "hough/HoughReference.h"
#include "hough/HoughScenes.h"
#include "imaging/EdgeDetection.h"
#include "support/TestImages.h"

namespace lumagrove {
namespace {

using testing::ConstantImage;
using testing::EdgeMapOfShapes;
using testing::SceneOfShapes;
using testing::TestImage;
using testing::ToVector;

EdgePoints PointsOf(const TestImage& edgeMap) {
    return EdgePoints(PixelArray::CopyOf(edgeMap.pixels.data(), edgeMap.pixels.size()), edgeMap.width, edgeMap.height);
}

// Peaks sorted as the literal search meets them: radius, column, row.
std::vector<std::array<int, 3>> PeaksOf(const TestImage& edgeMap) {
    std::vector<std::array<int, 3>> peaks;
    FindCirclePeaks(PointsOf(edgeMap), edgeMap.width, edgeMap.height, edgeMap.width / 2,
                    [&](std::int32_t r, std::int32_t a, std::int32_t b) {
                        peaks.push_back({r, a, b});
                    });
    std::sort(peaks.begin(), peaks.end());
    return peaks;
}

// An empty overlay of 40 x 40 pixels, or of the given size, to draw circles into.
PixelArray BlankOverlay(int width = 40, int height = 40) {
    return PixelArray::Filled(static_cast<std::size_t>(width) * height, 0);
}

std::vector<std::uint8_t> DrawnPeaks(const TestImage& edgeMap, const std::vector<std::array<int, 3>>& peaks) {
    PixelArray overlay = BlankOverlay(edgeMap.width, edgeMap.height);
    for (const auto& [r, a, b] : peaks) {
        DrawCircle(overlay, edgeMap.width, edgeMap.height, a, b, r);
        DrawCircle(overlay, edgeMap.width, edgeMap.height, a, b, r + 1);
    }
    return ToVector(overlay);
}

testing::Detected DetectCircles(const TestImage& image, bool byDirection) {
    return testing::Detect(lumagrove::DetectCircles, kCircleEdges, image, byDirection);
}

std::vector<std::uint8_t> SpaceOf(const TestImage& image, int radius) {
    const PixelArray space = CircleHoughSpace({image.pixels, image.width, image.height}, kCircleEdges, radius);
    EXPECT_EQ(space.size(), image.pixels.size());
    return ToVector(space);
}

// Sets every pixel at truncated distance r from (cx, cy), while the count
// of pixels set stays below limit; rows furthest down come first.
int DrawRing(TestImage& map, int cx, int cy, int r, int limit = 1 << 30) {
    int drawn = 0;
    for (int y = map.height - 1; y >= 0; --y) {
        for (int x = 0; x < map.width && drawn < limit; ++x) {
            if (static_cast<int>(std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy))) == r && map.at(x, y) == 0) {
                map.at(x, y) = 255;
                ++drawn;
            }
        }
    }
    return drawn;
}

// The map turned a quarter turn clockwise.
TestImage Turned(const TestImage& map) {
    TestImage result = ConstantImage(map.height, map.width, 0);
    for (int y = 0; y < map.height; ++y) {
        for (int x = 0; x < map.width; ++x) result.at(map.height - 1 - y, x) = map.pixels[y * map.width + x];
    }
    return result;
}

// The same scene seen from the four sides.
std::vector<TestImage> FourWays(const TestImage& map) {
    std::vector<TestImage> views = {map};
    for (int turn = 1; turn < 4; ++turn) views.push_back(Turned(views.back()));
    return views;
}

// Narrow images hold fewer than 16 radius planes; 9 and 10 pixels are where
// circles become possible at all; many rings are cut by the border.
TEST(CircleHoughTest, PeaksPlanesAndCirclesMatchTheReferenceOnEdgeMaps) {
    const std::vector<std::pair<int, int>> sizes = {{1, 5},   {2, 2},   {3, 40},  {9, 9},   {9, 12},  {10, 9},
                                                    {10, 10}, {12, 8},  {11, 13}, {15, 20}, {20, 15}, {24, 24},
                                                    {31, 19}, {32, 32}, {33, 21}, {48, 40}, {70, 45}};
    int peaksSeen = 0;
    for (const auto& [width, height] : sizes) {
        for (std::uint32_t seed = 0; seed < 6; ++seed) {
            const TestImage map = EdgeMapOfShapes(width, height, seed, seed % 3 == 0 ? 0.3 : 0.01);
            SCOPED_TRACE(::testing::Message() << width << "x" << height << " seed " << seed);
            const testing::ReferenceCircles reference = testing::ReferenceCircleVotes(map);
            auto expectedPeaks = testing::ReferenceCirclePeaks(reference);
            std::sort(expectedPeaks.begin(), expectedPeaks.end());
            const auto peaks = PeaksOf(map);
            EXPECT_EQ(peaks, expectedPeaks);
            EXPECT_EQ(DrawnPeaks(map, peaks), testing::ReferenceDetectCircles(map));
            peaksSeen += static_cast<int>(peaks.size());
            for (int radius = 0; radius < reference.radiusCount; ++radius) {
                EXPECT_EQ(ToVector(CirclePlane(PointsOf(map), width, height, radius)),
                          testing::ReferenceCircleSpace(reference, radius))
                    << "radius " << radius;
            }
        }
    }
    EXPECT_GT(peaksSeen, 100);
}

// The largest counter may sit two or three columns or rows in from the
// border, outside the area searched for peaks: there it still raises the
// threshold, here above a weak ring that would otherwise be a circle.
TEST(CircleHoughTest, LargestCounterNearTheBorderSetsTheThreshold) {
    for (const int margin : {2, 3}) {
        TestImage map = ConstantImage(48, 44, 0);
        DrawRing(map, margin, 20, 3);
        DrawRing(map, 28, 22, 8, 11);
        int turns = 0;
        for (const TestImage& view : FourWays(map)) {
            SCOPED_TRACE(::testing::Message() << "turned " << turns++ << " times");
            auto expected = testing::ReferenceCirclePeaks(testing::ReferenceCircleVotes(view));
            std::sort(expected.begin(), expected.end());
            EXPECT_EQ(PeaksOf(view), expected) << "margin " << margin;
        }
    }
}

// A candidate at radius 11 is suppressed by a radius-15 counter four rows
// away, and only the last row of edge pixels within reach of that counter
// lifts it above the candidate: the band of rows swept for a window must
// reach that far.
TEST(CircleHoughTest, WindowCountsVotesFromTheFurthestEdgeRow) {
    TestImage map = ConstantImage(48, 64, 0);
    const int candidate = DrawRing(map, 24, 20, 11);
    const int alreadyThere = testing::ReferenceCircleVotes(map).at(15, 24, 24);
    TestImage withSuppressor = map;
    DrawRing(withSuppressor, 24, 24, 15, candidate + 1 - alreadyThere);
    ASSERT_EQ(testing::ReferenceCircleVotes(withSuppressor).at(15, 24, 24), candidate + 1);
    int turns = 0;
    for (const TestImage& view : FourWays(withSuppressor)) {
        SCOPED_TRACE(::testing::Message() << "turned " << turns++ << " times");
        auto expected = testing::ReferenceCirclePeaks(testing::ReferenceCircleVotes(view));
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(PeaksOf(view), expected);
    }
}

TEST(CircleHoughTest, CommandsMatchTheReferenceOnScenes) {
    const std::vector<std::pair<int, int>> sizes = {{19, 23}, {40, 30}, {64, 48}, {90, 70}};
    int drawnSeen = 0;
    for (const auto& [width, height] : sizes) {
        for (std::uint32_t seed = 0; seed < 4; ++seed) {
            const TestImage image = SceneOfShapes(width, height, seed);
            for (const bool byDirection : {false, true}) {
                SCOPED_TRACE(::testing::Message()
                             << width << "x" << height << " seed " << seed << " direction " << byDirection);
                const TestImage map = testing::ReferenceEdgeMap(image, byDirection ? 20 : 25, 100, byDirection);
                const testing::Detected detected = DetectCircles(image, byDirection);
                const std::vector<std::uint8_t> expected = testing::ReferenceDetectCircles(map);
                EXPECT_EQ(detected.overlay, expected);
                EXPECT_EQ(detected.superimposed, testing::ReferenceSuperimposed(image, expected));
                drawnSeen += static_cast<int>(std::count(expected.begin(), expected.end(), 255));
            }
            const testing::ReferenceCircles reference =
                testing::ReferenceCircleVotes(testing::ReferenceEdgeMap(image, 25, 0, false));
            for (const int radius : {-3, 0, 5, 14, 15, 16, 1000}) {
                EXPECT_EQ(SpaceOf(image, radius), testing::ReferenceCircleSpace(reference, radius))
                    << "radius " << radius;
            }
        }
    }
    EXPECT_GT(drawnSeen, 0);
}

TEST(CircleHoughTest, ImageWithoutEdgesHasAnEmptySpaceAndNoCircles) {
    const TestImage image = ConstantImage(40, 36, 201);
    EXPECT_EQ(SpaceOf(image, 14), std::vector<std::uint8_t>(image.pixels.size(), 0));
    const testing::Detected detected = DetectCircles(image, false);
    EXPECT_EQ(detected.overlay, std::vector<std::uint8_t>(image.pixels.size(), 0));
    EXPECT_EQ(detected.superimposed, image.pixels);
}

TEST(CircleHoughTest, SpaceOfNarrowImageShowsItsLargestPlane) {
    const TestImage image = SceneOfShapes(20, 26, 3);
    const testing::ReferenceCircles reference =
        testing::ReferenceCircleVotes(testing::ReferenceEdgeMap(image, 25, 0, false));
    const std::vector<std::uint8_t> plane9 = testing::ReferenceCircleSpace(reference, 9);
    EXPECT_TRUE(std::any_of(plane9.begin(), plane9.end(), [](std::uint8_t v) { return v != 0; }));
    EXPECT_EQ(SpaceOf(image, 14), plane9);
    // With no radius plane at all the view is empty, of the input's size.
    EXPECT_EQ(SpaceOf(SceneOfShapes(1, 30, 3), 14), std::vector<std::uint8_t>(30, 0));
}

// Every edge pixel at truncated distance 45 from one centre: more than 255
// of them, so the view shows the count's low byte.
TEST(CircleHoughTest, SpaceShowsTheLowByteOfLargeCounts) {
    TestImage map = ConstantImage(100, 100, 0);
    int ring = 0;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x) {
            if (static_cast<int>(std::sqrt((x - 50) * (x - 50) + (y - 50) * (y - 50))) == 45) {
                map.at(x, y) = 255;
                ++ring;
            }
        }
    }
    ASSERT_GT(ring, 255);
    const std::vector<std::uint8_t> plane = ToVector(CirclePlane(PointsOf(map), 100, 100, 45));
    EXPECT_EQ(plane[50 * 100 + 50], ring % 256);
}

TEST(CircleHoughTest, CircleIsDrawnOnlyWhenItFitsWhole) {
    PixelArray overlay = BlankOverlay();
    DrawCircle(overlay, 40, 40, 11, 20, 12);  // would reach column -1
    DrawCircle(overlay, 40, 40, 20, 28, 12);  // would reach row 40
    DrawCircle(overlay, 40, 40, 20, 20, 0);
    EXPECT_EQ(ToVector(overlay), std::vector<std::uint8_t>(1600, 0));
    DrawCircle(overlay, 40, 40, 11, 20, 11);  // touches column 0
    EXPECT_EQ(overlay[20 * 40 + 0], 0);       // a gap
    EXPECT_EQ(overlay[21 * 40 + 0], 255);
}

// Each ring leaves out the four points it starts from, straight above,
// below, left and right of the centre.
TEST(CircleHoughTest, RingsOfADetectedCircleHaveFourGapsEach) {
    for (const int r : {4, 7, 11}) {
        SCOPED_TRACE(::testing::Message() << "radius " << r);
        PixelArray overlay = BlankOverlay();
        DrawCircle(overlay, 40, 40, 20, 19, r);
        DrawCircle(overlay, 40, 40, 20, 19, r + 1);
        for (const int d : {r, r + 1}) {
            SCOPED_TRACE(::testing::Message() << "ring " << d);
            EXPECT_EQ(overlay[(19 + d) * 40 + 20], 0);
            EXPECT_EQ(overlay[(19 - d) * 40 + 20], 0);
            EXPECT_EQ(overlay[19 * 40 + 20 + d], 0);
            EXPECT_EQ(overlay[19 * 40 + 20 - d], 0);
            EXPECT_EQ(overlay[(19 + d) * 40 + 21], 255);
            EXPECT_EQ(overlay[(19 - 1) * 40 + 20 - d], 255);
        }
        std::vector<std::uint8_t> expected(1600, 0);
        testing::ReferenceDrawCircle(expected, 40, 40, 20, 19, r);
        testing::ReferenceDrawCircle(expected, 40, 40, 20, 19, r + 1);
        EXPECT_EQ(ToVector(overlay), expected);
    }
}

// Every radius that fits, drawn alone, against the midpoint rule's definition.
TEST(CircleHoughTest, CirclesFollowTheMidpointRule) {
    for (int r = 1; r <= 19; ++r) {
        PixelArray overlay = BlankOverlay();
        DrawCircle(overlay, 40, 40, 20, 19, r);
        std::vector<std::uint8_t> expected(1600, 0);
        testing::ReferenceDrawCircle(expected, 40, 40, 20, 19, r);
        EXPECT_EQ(ToVector(overlay), expected) << "radius " << r;
    }
}

// A lone edge pixel gives counters of 0 and 1 only: every 1 in the searched
// range is a peak, because equal counters do not suppress each other.
TEST(CircleHoughTest, EqualCountersAreAllPeaks) {
    TestImage map = ConstantImage(40, 40, 0);
    map.at(19, 21) = 255;
    std::size_t ones = 0;
    for (int r = 4; r <= 11; ++r) {
        for (int a = 4; a <= 35; ++a) {
            for (int b = 4; b <= 35; ++b) {
                ones += static_cast<int>(std::sqrt((a - 19) * (a - 19) + (b - 21) * (b - 21))) == r;
            }
        }
    }
    EXPECT_EQ(PeaksOf(map).size(), ones);
}

// The direction command lets only gradients stronger than 20 whose angle is
// 91 to 109 or -89 to -71 degrees vote.
TEST(CircleHoughTest, DirectionCommandVotesOnlyWithGradientsNearOneHundredDegrees) {
    for (std::uint32_t seed = 0; seed < 3; ++seed) {
        SCOPED_TRACE(::testing::Message() << "seed " << seed);
        const TestImage image = SceneOfShapes(48, 40, seed);
        const std::vector<GradientSample> field = GradientField({image.pixels, image.width, image.height});
        TestImage map = ConstantImage(48, 40, 0);
        for (std::size_t i = 0; i < field.size(); ++i) {
            const int a = field[i].angle;
            const bool near = (a >= 91 && a <= 109) || (a >= -89 && a <= -71);
            map.pixels[i] = field[i].magnitude > 20 && near ? 255 : 0;
        }
        const EdgeSettings menuDirection{.threshold = 20, .direction = 100, .byDirection = true};
        EXPECT_EQ(ToVector(CircleHoughSpace({image.pixels, image.width, image.height}, menuDirection, 9)),
                  testing::ReferenceCircleSpace(testing::ReferenceCircleVotes(map), 9));
    }
}

}  // namespace
}  // namespace lumagrove
