#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "imaging/Smoothing.h"
#include "support/TestImages.h"

namespace lumagrove {
namespace {

using testing::AwkwardSizes;
using testing::ConstantImage;
using testing::RandomImage;
using testing::StructuredImage;
using testing::TestImage;
using testing::ToVector;

// Straight from the description: a margin of n columns and rows, 2 * half + 1
// terms divided by n, the intermediate starting as a copy of the input. A
// quotient above 255 (even windows only) is held at 255.
std::vector<std::uint8_t> ReferenceUniform(const TestImage& image, int n) {
    const int w = image.width;
    const int h = image.height;
    const int half = n / 2;
    std::vector<std::uint8_t> t = image.pixels;
    for (int x = n; x < w - n; ++x) {
        for (int y = 0; y < h; ++y) {
            int sum = 0;
            for (int k = x - half; k <= x + half; ++k) sum += image.pixels[y * w + k];
            t[y * w + x] = static_cast<std::uint8_t>(std::min(sum / n, 255));
        }
    }
    std::vector<std::uint8_t> output = t;
    for (int x = 0; x < w; ++x) {
        for (int y = n; y < h - n; ++y) {
            int sum = 0;
            for (int k = y - half; k <= y + half; ++k) sum += t[k * w + x];
            output[y * w + x] = static_cast<std::uint8_t>(std::min(sum / n, 255));
        }
    }
    return output;
}

PixelArray SmoothUniform(const TestImage& image, int window) {
    const ImageView work{image.pixels, image.width, image.height};
    return lumagrove::SmoothUniform(work, window);
}

TEST(UniformSmoothing, MatchesTheReferenceOnEverySizeAndWindow) {
    std::uint32_t seed = 100;
    for (const auto& [width, height] : AwkwardSizes()) {
        for (const TestImage& image : {RandomImage(width, height, seed), StructuredImage(width, height, seed + 1)}) {
            for (int window = 1; window <= 15; ++window) {
                EXPECT_EQ(ToVector(SmoothUniform(image, window)), ReferenceUniform(image, window))
                    << width << "x" << height << " window " << window;
            }
        }
        seed += 2;
    }
}

// Windows whose sums no longer fit 16 bits, and windows wider than the image.
TEST(UniformSmoothing, MatchesTheReferenceForWideWindows) {
    const TestImage image = RandomImage(640, 480, 5);
    const TestImage white = ConstantImage(640, 600, 255);
    for (int window : {100, 256, 257, 258, 300}) {
        EXPECT_EQ(ToVector(SmoothUniform(image, window)), ReferenceUniform(image, window)) << window;
        EXPECT_EQ(ToVector(SmoothUniform(white, window)), ReferenceUniform(white, window)) << window;
    }
    EXPECT_EQ(ToVector(SmoothUniform(image, 320)), image.pixels);
    EXPECT_EQ(ToVector(SmoothUniform(image, INT_MAX)), image.pixels);
}

TEST(UniformSmoothing, WindowOfFiveFollowsTheDocumentedRegions) {
    const TestImage constant = ConstantImage(23, 17, 93);
    EXPECT_EQ(ToVector(SmoothUniform(constant, 5)), constant.pixels);

    // Both passes need more than twice the window: a 10 x 10 image comes back as it was.
    const TestImage small = RandomImage(10, 10, 3);
    EXPECT_EQ(ToVector(SmoothUniform(small, 5)), small.pixels);

    const TestImage image = RandomImage(20, 20, 4);
    const PixelArray smoothed = SmoothUniform(image, 5);
    int sum = 0;
    for (int x = 5; x <= 9; ++x) sum += image.pixels[2 * 20 + x];
    EXPECT_EQ(smoothed[2 * 20 + 7], sum / 5);                   // row 2 is in the top band: horizontal mean only
    EXPECT_EQ(smoothed[2 * 20 + 4], image.pixels[2 * 20 + 4]);  // column 4 is never computed
}

TEST(UniformSmoothing, EvenWindowsHoldBrightMeansAtWhite) {
    const TestImage white = ConstantImage(30, 30, 255);
    EXPECT_EQ(ToVector(SmoothUniform(white, 4)), white.pixels);
    EXPECT_EQ(ToVector(SmoothUniform(white, 2)), white.pixels);
}

TEST(UniformSmoothing, NoWindowLeavesTheImageUnchanged) {
    const TestImage image = RandomImage(37, 23, 9);
    EXPECT_EQ(ToVector(SmoothUniform(image, 0)), image.pixels);
    EXPECT_EQ(ToVector(SmoothUniform(image, -3)), image.pixels);
}

TEST(UniformSmoothing, TwoRunsOnOneViewGiveResultsOfTheirOwn) {
    const TestImage image = RandomImage(37, 23, 10);
    PixelArray first;
    PixelArray second;
    {
        const ImageView work{image.pixels, 37, 23};
        first = SmoothUniform(work, 5);
        second = SmoothUniform(work, 3);
    }
    EXPECT_EQ(ToVector(first), ReferenceUniform(image, 5));
    EXPECT_EQ(ToVector(second), ReferenceUniform(image, 3));
}

}  // namespace
}  // namespace lumagrove
