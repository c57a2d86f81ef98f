#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>
#include <vector>

#include "hough/EdgePoints.h"
#include "hough/HoughReference.h"
#include "hough/HoughScenes.h"
#include "hough/LineAccumulator.h"
#include "hough/LineHough.h"
#include "hough/LinePeaks.h"
#include "session/RunEntry.h"
#include "support/MessageLog.h"
#include "support/TestImages.h"

namespace lumagrove {
namespace {

using testing::ConstantImage;
using testing::EdgeMapOfShapes;
using testing::RandomImage;
using testing::SceneOfShapes;
using testing::TestImage;
using testing::ToVector;

int RhoCountOf(const TestImage& image) {
    return static_cast<int>(std::sqrt(static_cast<double>(image.width * image.width + image.height * image.height)));
}

LineAccumulator VotesOf(const TestImage& edgeMap) {
    LineAccumulator accumulator(RhoCountOf(edgeMap));
    const PixelArray map = PixelArray::CopyOf(edgeMap.pixels.data(), edgeMap.pixels.size());
    accumulator.vote(EdgePoints(map, edgeMap.width, edgeMap.height), edgeMap.width, edgeMap.height, LineAngles().sin,
                     LineAngles().cos);
    return accumulator;
}

// Peaks sorted as the literal search meets them: row, then angle.
std::vector<std::array<int, 2>> PeaksOf(const LineAccumulator& accumulator) {
    std::vector<std::array<int, 2>> peaks;
    FindLinePeaks(accumulator, [&](std::int32_t rho, std::int32_t t) { peaks.push_back({rho, t}); });
    std::sort(peaks.begin(), peaks.end());
    return peaks;
}

// The overlay DrawLine leaves for the given peaks on an empty image.
std::vector<std::uint8_t> DrawnPeaks(const TestImage& edgeMap, const std::vector<std::array<int, 2>>& peaks) {
    PixelArray overlay = PixelArray::Filled(edgeMap.pixels.size(), 0);
    const int half = RhoCountOf(edgeMap) / 2;
    for (const auto& [rho, t] : peaks) {
        DrawLine(overlay, edgeMap.width, edgeMap.height, static_cast<float>(rho - half),
                 static_cast<float>(((t - 180) * kLinePi) * 0.005555555555555556));
    }
    return ToVector(overlay);
}

testing::Detected DetectLines(const TestImage& image, bool byDirection) {
    return testing::Detect(lumagrove::DetectLines, kLineEdges, image, byDirection);
}

TEST(LineHoughTest, VotesPeaksAndLinesMatchTheReferenceOnEdgeMaps) {
    const std::vector<std::pair<int, int>> sizes = {{1, 1},   {2, 3},   {6, 6},   {9, 9},   {10, 7},  {37, 23},
                                                    {23, 37}, {64, 64}, {101, 7}, {7, 101}, {120, 90}};
    for (const auto& [width, height] : sizes) {
        for (std::uint32_t seed = 0; seed < 6; ++seed) {
            const TestImage map = EdgeMapOfShapes(width, height, seed, seed % 2 ? 0.25 : 0.01);
            SCOPED_TRACE(::testing::Message() << width << "x" << height << " seed " << seed);
            const testing::ReferenceLines reference = testing::ReferenceLineVotes(map);
            const LineAccumulator votes = VotesOf(map);
            EXPECT_EQ(ToVector(votes.image()), testing::ReferenceLineSpace(reference));
            const auto peaks = PeaksOf(votes);
            EXPECT_EQ(peaks, testing::ReferenceLinePeaks(reference));
            EXPECT_EQ(DrawnPeaks(map, peaks), testing::ReferenceDetectLines(map));
        }
    }
}

TEST(LineHoughTest, CommandsMatchTheReferenceOnScenes) {
    const std::vector<std::pair<int, int>> sizes = {{31, 17}, {64, 48}, {97, 61}, {160, 120}};
    for (const auto& [width, height] : sizes) {
        for (std::uint32_t seed = 0; seed < 4; ++seed) {
            const TestImage image = SceneOfShapes(width, height, seed);
            for (const bool byDirection : {false, true}) {
                SCOPED_TRACE(::testing::Message()
                             << width << "x" << height << " seed " << seed << " direction " << byDirection);
                const TestImage map =
                    testing::ReferenceEdgeMap(image, byDirection ? 20 : 12, byDirection ? 100 : 10, byDirection);
                const testing::Detected detected = DetectLines(image, byDirection);
                const std::vector<std::uint8_t> expected = testing::ReferenceDetectLines(map);
                EXPECT_EQ(detected.overlay, expected);
                EXPECT_EQ(detected.superimposed, testing::ReferenceSuperimposed(image, expected));
            }
            SCOPED_TRACE(::testing::Message() << width << "x" << height << " seed " << seed);
            std::int32_t spaceWidth = 0;
            std::int32_t spaceHeight = 0;
            const PixelArray space = LineHoughSpace({image.pixels, width, height}, kLineEdges, spaceWidth, spaceHeight);
            EXPECT_EQ(spaceWidth, 360);
            EXPECT_EQ(spaceHeight, RhoCountOf(image));
            EXPECT_EQ(ToVector(space), testing::ReferenceLineSpace(testing::ReferenceLineVotes(
                                           testing::ReferenceEdgeMap(image, 12, 10, false))));
        }
    }
}

TEST(LineHoughTest, ImageWithoutEdgesHasAnEmptySpaceAndNoLines) {
    const TestImage image = ConstantImage(40, 30, 77);
    const ImageView view{image.pixels, image.width, image.height};
    std::int32_t width = 0;
    std::int32_t height = 0;
    const PixelArray space = LineHoughSpace(view, kLineEdges, width, height);
    EXPECT_EQ(width, 360);
    EXPECT_EQ(height, 50);
    EXPECT_TRUE(std::all_of(space.begin(), space.end(), [](std::uint8_t v) { return v == 0; }));
    const PixelArray overlay = lumagrove::DetectLines(view, kLineEdges);
    EXPECT_EQ(ToVector(Superimposed(view, overlay)), image.pixels);
    EXPECT_EQ(ToVector(overlay), std::vector<std::uint8_t>(image.pixels.size(), 0));
}

TEST(LineHoughTest, SpaceOf256SquareIs360By362WithTheCentreRowEmpty) {
    const TestImage image = SceneOfShapes(256, 256, 7);
    std::int32_t width = 0;
    std::int32_t height = 0;
    const PixelArray space = LineHoughSpace({image.pixels, image.width, image.height}, kLineEdges, width, height);
    ASSERT_EQ(width, 360);
    ASSERT_EQ(height, 362);
    EXPECT_TRUE(std::any_of(space.begin(), space.end(), [](std::uint8_t v) { return v != 0; }));
    EXPECT_TRUE(
        std::all_of(space.begin() + 181 * 360, space.begin() + 182 * 360, [](std::uint8_t v) { return v == 0; }));
}

// At angle 0 the distance is the column's offset from the centre column.
TEST(LineHoughTest, EdgePixelVotesAtAngleZeroByItsColumn) {
    const int width = 20;
    const int height = 16;
    const int half = RhoCountOf(ConstantImage(width, height, 0)) / 2;
    for (const auto& [x, y] : std::vector<std::pair<int, int>>{{0, 0}, {3, 7}, {10, 5}, {19, 15}, {13, 2}}) {
        TestImage map = ConstantImage(width, height, 0);
        map.at(x, y) = 255;
        const LineAccumulator votes = VotesOf(map);
        for (int rho = 0; rho < votes.rhoCount(); ++rho) {
            const int expected = x != width / 2 && rho == x - width / 2 + half ? 1 : 0;
            EXPECT_EQ(votes.at(rho, 180), expected) << "pixel " << x << "," << y << " row " << rho;
        }
    }
}

TEST(LineHoughTest, CellWithTwoHundredFiftySixVotesShowsZero) {
    TestImage map = ConstantImage(40, 256, 0);
    for (int y = 0; y < 256; ++y) map.at(25, y) = 255;
    const LineAccumulator votes = VotesOf(map);
    const int half = votes.rhoCount() / 2;
    EXPECT_EQ(votes.at(25 - 20 + half, 180), 0);
    EXPECT_EQ(ToVector(votes.image()), testing::ReferenceLineSpace(testing::ReferenceLineVotes(map)));
    for (const auto& [rho, t] : PeaksOf(votes)) EXPECT_FALSE(rho == 25 - 20 + half && t == 180);
}

TEST(LineHoughTest, DrawLineAtAngleZeroDotsOneColumnInCompletePairs) {
    for (const int height : {10, 9}) {
        PixelArray overlay = PixelArray::Filled(21 * static_cast<std::size_t>(height), 0);
        DrawLine(overlay, 21, height, 3.0f, 0.0f);
        std::vector<std::uint8_t> expected(overlay.size(), 0);
        // Nine steps leave the ninth without a partner: it is not drawn.
        for (int y = 0; y + 1 < height; y += 2) expected[y * 21 + 13] = 255;
        EXPECT_EQ(ToVector(overlay), expected) << "height " << height;
    }
}

TEST(LineHoughTest, TinyImagesNeverYieldLines) {
    for (std::uint32_t seed = 0; seed < 20; ++seed) {
        const TestImage image = RandomImage(6, 6, seed);
        EXPECT_EQ(DetectLines(image, false).overlay, std::vector<std::uint8_t>(36, 0)) << "seed " << seed;
    }
    EXPECT_TRUE(PeaksOf(VotesOf(ConstantImage(6, 6, 255))).empty());
}

TEST(LineHoughTest, RefusesSidesThatDoNotDescribeTheImage) {
    const std::vector<std::uint8_t> blank(16, 0);
    const OperationEntry& space = *FindOperationByCommand("line-space");
    testing::MessageLog log;
    EXPECT_THROW(session::RunEntry(space, ImageView{blank, -4, -4}, {}, log.reporter()), std::invalid_argument);
    EXPECT_THROW(session::RunEntry(space, ImageView{blank, 4, 5}, {}, log.reporter()), std::invalid_argument);
    EXPECT_THROW(session::RunEntry(space, ImageView{{}, 65536, 65536}, {}, log.reporter()), std::invalid_argument);
}

// A lone edge pixel gives every angle one vote: a plateau of ones, every
// cell of which is a peak because equal counters do not suppress each other.
TEST(LineHoughTest, EqualCountersAreAllPeaks) {
    TestImage map = ConstantImage(40, 30, 0);
    map.at(7, 22) = 255;
    const LineAccumulator votes = VotesOf(map);
    std::size_t ones = 0;
    for (int t = 4; t <= 354; ++t) {
        for (int rho = 4; rho <= votes.rhoCount() - 6; ++rho) ones += votes.at(rho, t) == 1;
    }
    EXPECT_GT(ones, 300u);
    EXPECT_EQ(PeaksOf(votes).size(), ones);
}

}  // namespace
}  // namespace lumagrove
