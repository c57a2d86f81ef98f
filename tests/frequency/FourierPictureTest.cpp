#include <gtest/gtest.h>

#include <fftw3.h>

#include <cmath>

#include "FourierReference.h"
#include "frequency/FftwPlanner.h"
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

PixelArray SpectrumOf(const TestImage& image, MessageLog& log) {
    return FourierSpectrum({image.pixels, image.width, image.height}, log.reporter());
}

PixelArray SpectrumOf(const TestImage& image) {
    MessageLog log;
    PixelArray spectrum = SpectrumOf(image, log);
    EXPECT_TRUE(log.messages.empty());
    return spectrum;
}

// The same levels through FFTW's full complex 2-D transform, for sizes the
// direct sums would take minutes over.
std::vector<double> ComplexTransformLevels(const TestImage& image) {
    const std::size_t count = image.pixels.size();
    std::vector<fftw_complex> in(count), out(count);
    for (std::size_t i = 0; i < count; ++i) {
        in[i][0] = image.pixels[i];
        in[i][1] = 0.0;
    }
    const FftwPlan plan = MakePlan([&] {
        return fftw_plan_dft_2d(image.height, image.width, in.data(), out.data(), FFTW_FORWARD, FFTW_ESTIMATE);
    });
    fftw_execute(plan.get());
    std::vector<double> levels;
    for (const auto& coefficient : out)
        levels.push_back(std::sqrt(coefficient[0] * coefficient[0] + coefficient[1] * coefficient[1]) * 0.01);
    return levels;
}

TEST(FourierSpectrum, MatchesTheDirectTransform) {
    std::uint32_t seed = 40;
    for (const auto& [width, height] : std::vector<std::pair<int, int>>{
             {1, 1}, {2, 3}, {3, 2}, {1, 9}, {9, 1}, {16, 16}, {17, 16}, {37, 23}, {23, 37}}) {
        for (const TestImage& image : {RandomImage(width, height, seed), StructuredImage(width, height, seed)}) {
            EXPECT_EQ(DifferenceFromLevels(SpectrumOf(image), testing::ReferenceSpectrumLevels(image), width), "")
                << width << "x" << height;
        }
        ++seed;
    }
    const TestImage notAPowerOfTwo = RandomImage(100, 75, seed);
    EXPECT_EQ(DifferenceFromLevels(SpectrumOf(notAPowerOfTwo), testing::ReferenceSpectrumLevels(notAPowerOfTwo), 100),
              "");
}

// Large enough for many column blocks, with a partial one at the end, and
// for the mirrored half to span whole rows.
TEST(FourierSpectrum, MatchesTheFullComplexTransformOnLargerImages) {
    for (const auto& [width, height] : std::vector<std::pair<int, int>>{{640, 480}, {257, 199}, {131, 512}}) {
        const TestImage image = RandomImage(width, height, 7);
        EXPECT_EQ(DifferenceFromLevels(SpectrumOf(image), ComplexTransformLevels(image), width), "")
            << width << "x" << height;
    }
}

TEST(FourierSpectrum, IsConjugateSymmetricAndNotCentred) {
    for (const auto& [width, height] : testing::AwkwardSizes()) {
        const TestImage image = StructuredImage(width, height, 3);
        const auto spectrum = ToVector(SpectrumOf(image));
        for (std::int32_t y = 0; y < height; ++y) {
            for (std::int32_t x = 0; x < width; ++x) {
                const std::size_t mirror =
                    static_cast<std::size_t>((height - y) % height) * width + (width - x) % width;
                ASSERT_EQ(spectrum[static_cast<std::size_t>(y) * width + x], spectrum[mirror])
                    << width << "x" << height << " at " << x << "," << y;
            }
        }
    }
}

TEST(FourierSpectrum, WorkedExamples) {
    EXPECT_EQ(ToVector(SpectrumOf(ConstantImage(100, 75, 0))), std::vector<std::uint8_t>(7500, 0));

    // One bright pixel anywhere: every coefficient has magnitude 255, and
    // 2.55 truncates to 2.
    for (const auto& [x, y] : std::vector<std::pair<int, int>>{{0, 0}, {5, 3}, {36, 22}}) {
        TestImage image = ConstantImage(37, 23, 0);
        image.at(x, y) = 255;
        EXPECT_EQ(ToVector(SpectrumOf(image)), std::vector<std::uint8_t>(37 * 23, 2)) << x << "," << y;
    }

    // Only the zero frequency is lit: 256 x 0.01 gives 2, and a pixel sum
    // above 25,500 saturates.
    std::vector<std::uint8_t> expected(256, 0);
    expected[0] = 2;
    EXPECT_EQ(ToVector(SpectrumOf(ConstantImage(16, 16, 1))), expected);
    expected[0] = 255;
    EXPECT_EQ(ToVector(SpectrumOf(ConstantImage(16, 16, 100))), expected);
}

}  // namespace
}  // namespace lumagrove
