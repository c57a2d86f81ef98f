#include <gtest/gtest.h>

#include <algorithm>

#include "FourierReference.h"
#include "frequency/FrequencyFilters.h"
#include "support/MessageLog.h"
#include "support/TestImages.h"

namespace lumagrove {
namespace {

using testing::ConstantImage;
using testing::DifferenceFromLevels;
using testing::MessageLog;
using testing::RandomImage;
using testing::StructuredImage;
using testing::TestImage;
using testing::ToVector;

PixelArray Filtered(const TestImage& image, PassBand band, std::int32_t cutoffX, std::int32_t cutoffY) {
    const ImageView work{image.pixels, image.width, image.height};
    MessageLog log;
    PixelArray result = band == PassBand::Low ? GlobalLowPass(work, cutoffX, cutoffY, log.reporter())
                                              : GlobalHighPass(work, cutoffX, cutoffY, log.reporter());
    EXPECT_TRUE(log.messages.empty());
    return result;
}

std::string BandName(PassBand band) { return band == PassBand::Low ? "low" : "high"; }

// Cut-off points at the corner, inside, on the middle column, past the far
// edge, at the centre and far beyond every coefficient.
std::vector<std::pair<int, int>> CutoffPoints(std::int32_t width, std::int32_t height) {
    return {
        {0, 0},      {1, 0}, {3, 4}, {width / 2, 3}, {width - 2, height - 1}, {width + 4, 3}, {width / 2, height / 2},
        {1000, 1000}};
}

TEST(GlobalFilters, MatchTheDirectTransforms) {
    std::uint32_t seed = 90;
    for (const auto& [width, height] :
         std::vector<std::pair<int, int>>{{1, 1}, {2, 3}, {5, 1}, {1, 6}, {16, 16}, {17, 12}, {37, 23}, {23, 37}}) {
        for (const TestImage& image : {RandomImage(width, height, seed), StructuredImage(width, height, seed)}) {
            const auto spectrum = testing::DirectTransform(testing::ToComplex(image), width, height, -1);
            for (PassBand band : {PassBand::Low, PassBand::High}) {
                for (const auto& [x, y] : CutoffPoints(width, height)) {
                    EXPECT_EQ(DifferenceFromLevels(Filtered(image, band, x, y),
                                                   testing::ReferenceFilterLevels(image, spectrum, band, x, y), width),
                              "")
                        << width << "x" << height << " " << BandName(band) << " pass, cut-off " << x << "," << y;
                }
            }
        }
        ++seed;
    }
}

TEST(GlobalFilters, MatchTheDirectTransformsOnALargerOddImage) {
    const TestImage image = StructuredImage(60, 45, 11);
    for (PassBand band : {PassBand::Low, PassBand::High}) {
        EXPECT_EQ(
            DifferenceFromLevels(Filtered(image, band, 9, 40), testing::ReferenceFilterLevels(image, band, 9, 40), 60),
            "")
            << BandName(band);
    }
}

TEST(GlobalFilters, ZeroCutoffKeepsOnlyTheMeanOrEverything) {
    const TestImage image = RandomImage(37, 23, 4);
    EXPECT_EQ(ToVector(Filtered(image, PassBand::Low, 0, 0)), std::vector<std::uint8_t>(37 * 23, 255));

    // Nothing removed: the input stretched so its brightest pixel is 255,
    // give or take the rounding of two transforms.
    const auto stretched = ToVector(Filtered(image, PassBand::High, 0, 0));
    const int brightest = *std::max_element(image.pixels.begin(), image.pixels.end());
    for (std::size_t i = 0; i < stretched.size(); ++i) {
        const int expected = image.pixels[i] * 255 / brightest;
        ASSERT_LE(std::abs(stretched[i] - expected), 1) << "pixel " << i;
    }
}

TEST(GlobalFilters, GiveBlackWhereNothingSurvives) {
    const std::vector<std::uint8_t> black(16 * 16, 0);
    for (PassBand band : {PassBand::Low, PassBand::High}) {
        EXPECT_EQ(ToVector(Filtered(ConstantImage(16, 16, 0), band, 3, 4)), black) << BandName(band);
    }
    // (8, 30) gives D^2 = 8^2 + 14^2, beyond the farthest coefficient (8, 8).
    EXPECT_EQ(ToVector(Filtered(RandomImage(16, 16, 8), PassBand::High, 8, 30)), black);
}

// A uniform image has nothing but its mean, so a high pass leaves nothing:
// rounding in the transforms must not be stretched into a picture of noise.
TEST(GlobalFilters, HighPassOfAUniformImageIsBlack) {
    for (const auto& [width, height] : std::vector<std::pair<int, int>>{{100, 75}, {37, 23}, {35, 49}, {64, 64}}) {
        for (std::uint8_t value : {1, 128, 255}) {
            const auto result = ToVector(Filtered(ConstantImage(width, height, value), PassBand::High, 2, 1));
            EXPECT_EQ(result, std::vector<std::uint8_t>(result.size(), 0))
                << width << "x" << height << " of " << int{value};
        }
    }
}

// After a high pass, negative values can be larger than the largest
// positive one; they saturate instead of wrapping around.
TEST(GlobalFilters, HighPassSaturatesLargeNegativeValues) {
    TestImage image = ConstantImage(16, 16, 200);
    image.at(5, 5) = 0;
    const std::size_t dip = 5 * 16 + 5;
    ASSERT_GT(testing::ReferenceFilterLevels(image, PassBand::High, 3, 0)[dip], 300.0);
    const auto result = ToVector(Filtered(image, PassBand::High, 3, 0));
    EXPECT_EQ(result[dip], 255);
    EXPECT_LT(*std::min_element(result.begin(), result.end()), 255);
}

}  // namespace
}  // namespace lumagrove
