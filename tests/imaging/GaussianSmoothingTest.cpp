#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <vector>

#include "imaging/GaussianKernel.h"
#include "imaging/Smoothing.h"
#include "imaging/TruncatedProductSum.h"
#include "support/TestImages.h"

namespace lumagrove {
namespace {

using testing::AwkwardSizes;
using testing::ConstantImage;
using testing::RandomImage;
using testing::StructuredImage;
using testing::TestImage;
using testing::ToVector;

// Straight from the description, step by step, including the 8-bit running
// sums. A sigma below 1/3 returns the input unchanged.
std::vector<std::uint8_t> ReferenceGaussian(const TestImage& image, double sigma, int threshold) {
    int n = static_cast<int>(3 * sigma);
    if (n % 2 == 0) n = n - 1;
    if (n < 1) return image.pixels;
    const int half = (n - 1) / 2;
    const double c = 1 / (sigma * std::sqrt(6.283185308));
    std::vector<double> weight(n);
    double x = -1.5 * sigma;
    const double step = n > 1 ? 3 * sigma / (n - 1) : 0;
    for (int k = 0; k < n; ++k) {
        weight[k] = c * std::exp(-x * x / (2 * sigma * sigma));
        x = x + step;
    }
    const int w = image.width;
    const int h = image.height;
    const std::vector<std::uint8_t>& src = image.pixels;
    std::vector<std::uint8_t> t(src.size(), 0);
    std::vector<std::uint8_t> r(src.size(), 0);
    for (int col = half; col < w - half; ++col) {
        for (int y = 0; y < h; ++y) {
            for (int j = 0; j < n; ++j) {
                const int product = static_cast<int>(src[y * w + col - half + j] * weight[j]);
                t[y * w + col] = static_cast<std::uint8_t>((t[y * w + col] + product) % 256);
            }
        }
    }
    for (int col = 0; col < w; ++col) {
        for (int y = half; y < h - half; ++y) {
            for (int j = 0; j < n; ++j) {
                const int product = static_cast<int>(t[(y - half + j) * w + col] * weight[j]);
                r[y * w + col] = static_cast<std::uint8_t>((r[y * w + col] + product) % 256);
            }
        }
    }
    for (std::size_t i = 0; i < r.size(); ++i) {
        r[i] = static_cast<std::uint8_t>((r[i] + 70) % 256);
        if (std::abs(r[i] - src[i]) > threshold) r[i] = src[i];
    }
    return r;
}

std::vector<std::uint8_t> Smooth(const TestImage& image, double sigma, int threshold) {
    return ToVector(SmoothGaussian({image.pixels, image.width, image.height}, sigma, threshold));
}

TEST(GaussianSmoothing, MatchesTheReferenceOnEverySizeSigmaAndThreshold) {
    const double sigmas[] = {0.2, 1.0 / 3.0, 0.34, 0.5, 0.66, 0.67, 0.9, 1.0, 1.2, 1.5, 2.0, 2.5, 3.0, 4.34, 5.0, 6.0};
    std::uint32_t seed = 200;
    for (const auto& [width, height] : AwkwardSizes()) {
        for (const TestImage& image : {RandomImage(width, height, seed), StructuredImage(width, height, seed + 1)}) {
            for (double sigma : sigmas) {
                for (int threshold : {-1000, -1, 0, 30, 150, 254, 255, 256}) {
                    EXPECT_EQ(Smooth(image, sigma, threshold), ReferenceGaussian(image, sigma, threshold))
                        << width << "x" << height << " sigma " << sigma << " threshold " << threshold;
                }
            }
        }
        seed += 2;
    }
}

// Sigmas and thresholds off the grid above, on sizes that put the band and
// vector edges anywhere: each kernel gets its own products and factors.
TEST(GaussianSmoothing, MatchesTheReferenceOnRandomSizesSigmasAndThresholds) {
    std::mt19937 random(23);
    for (int trial = 0; trial < 60; ++trial) {
        const int width = 1 + static_cast<int>(random() % 90);
        const int height = 1 + static_cast<int>(random() % 90);
        const double sigma = 0.3 + 8.0 * std::uniform_real_distribution<double>(0, 1)(random);
        const int threshold = static_cast<int>(random() % 262) - 3;
        const TestImage image =
            trial % 2 == 0 ? RandomImage(width, height, random()) : StructuredImage(width, height, random());
        EXPECT_EQ(Smooth(image, sigma, threshold), ReferenceGaussian(image, sigma, threshold))
            << width << "x" << height << " sigma " << sigma << " threshold " << threshold;
    }
    // So wide and so long a kernel that the products of its rows would not
    // stay in the cache: they are made again for every row instead.
    const TestImage wide = StructuredImage(6000, 40, 24);
    EXPECT_EQ(Smooth(wide, 12.0, 150), ReferenceGaussian(wide, 12.0, 150));
}

TEST(GaussianSmoothing, ConstantImagesGiveTheDocumentedValues) {
    const TestImage grey = ConstantImage(9, 7, 200);
    const std::vector<std::uint8_t> lifted = Smooth(grey, 1.0, 150);
    const std::vector<std::uint8_t> kept = Smooth(grey, 1.0, 30);
    const TestImage black = ConstantImage(9, 7, 0);
    const TestImage white = ConstantImage(9, 7, 255);
    const std::vector<std::uint8_t> whiteSmoothed = Smooth(white, 1.0, 150);
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 9; ++x) {
            const bool interior = x >= 1 && x < 8 && y >= 1 && y < 6;
            EXPECT_EQ(lifted[y * 9 + x], interior ? 153 : 70) << x << "," << y;
            EXPECT_EQ(whiteSmoothed[y * 9 + x], interior ? 178 : 255) << x << "," << y;
        }
    }
    EXPECT_EQ(kept, grey.pixels);
    EXPECT_EQ(Smooth(black, 1.0, 150), std::vector<std::uint8_t>(63, 70));
}

TEST(GaussianSmoothing, OneWeightReachesEveryPixel) {
    const TestImage white = ConstantImage(3, 2, 255);
    EXPECT_EQ(Smooth(white, 0.5, 150), white.pixels);                      // |87 - 255| > 150
    EXPECT_EQ(Smooth(white, 0.5, 168), std::vector<std::uint8_t>(6, 87));  // 17 lifted by 70
}

TEST(GaussianSmoothing, SigmaTooSmallOrUnreadableLeavesTheImageUnchanged) {
    const TestImage image = RandomImage(12, 9, 1);
    for (double sigma : {0.33, 0.0, -2.0, std::nan("")}) EXPECT_EQ(Smooth(image, sigma, 150), image.pixels) << sigma;
}

TEST(GaussianSmoothing, KernelLongerThanTheImageOnlyLifts) {
    const TestImage image = RandomImage(12, 9, 2);
    for (double sigma : {4.5, 1e9, 1e300}) {
        std::vector<std::uint8_t> expected(image.pixels.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            expected[i] = std::abs(70 - image.pixels[i]) > 40 ? image.pixels[i] : 70;
        }
        EXPECT_EQ(Smooth(image, sigma, 40), expected) << sigma;
    }
}

TEST(GaussianKernel, LengthsAndWeightsAreTheDocumentedOnes) {
    EXPECT_EQ(GaussianLength(1.0), 3);
    EXPECT_EQ(GaussianLength(2.0), 5);
    EXPECT_EQ(GaussianLength(3.0), 9);
    EXPECT_EQ(GaussianLength(1.0 / 3.0), 1);
    EXPECT_EQ(GaussianLength(0.66), 1);
    EXPECT_EQ(GaussianLength(0.3), 0);
    const std::vector<double> weights = GaussianWeights(1.0, 3);
    EXPECT_NEAR(weights[0], 0.12952, 1e-5);
    EXPECT_NEAR(weights[1], 0.39894, 1e-5);
    EXPECT_NEAR(weights[2], 0.12952, 1e-5);
    EXPECT_NEAR(GaussianWeights(0.5, 1)[0], 0.259, 1e-3);
}

// A weight just below k / v whose product with v still rounds up to k in
// double precision: no multiplier reproduces that, so the pass falls back to
// its tables, and must still give the exact truncated products.
TEST(TruncatedProductSum, WeightsWithoutAMultiplierUseExactTables) {
    double awkward = 0;
    for (int v = 3; v < 256 && awkward == 0; ++v) {
        for (int k = 1; k < v && awkward == 0; ++k) {
            const double below = std::nextafter(static_cast<double>(k) / v, 0.0);
            if (static_cast<int>(v * below) == k) awkward = below;
        }
    }
    ASSERT_NE(awkward, 0);
    const double weights[] = {0.12952, awkward, 0.3};
    const TruncatedProductSum sum(weights);
    EXPECT_FALSE(sum.vectorised());
    EXPECT_TRUE(TruncatedProductSum(GaussianWeights(1.0, 3)).vectorised());

    const TestImage row = RandomImage(300, 1, 3);
    std::vector<std::vector<std::uint8_t>> products(sum.factors(), std::vector<std::uint8_t>(300));
    for (std::size_t f = 0; f < sum.factors(); ++f) sum.multiply(f, row.pixels.data(), products[f].data(), 300);
    std::vector<const std::uint8_t*> taps;
    for (std::size_t j = 0; j < 3; ++j) taps.push_back(products[sum.factorOf(j)].data() + j);
    std::vector<std::uint8_t> out(298);
    AddRows(taps, out.data(), 298);
    for (int k = 0; k < 298; ++k) {
        int expected = 0;
        for (int j = 0; j < 3; ++j) expected += static_cast<int>(row.pixels[k + j] * weights[j]);
        ASSERT_EQ(out[k], expected % 256) << k;
    }
}

}  // namespace
}  // namespace lumagrove
