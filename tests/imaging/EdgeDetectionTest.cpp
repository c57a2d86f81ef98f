#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>

#include "imaging/EdgeDetection.h"
#include "imaging/Sobel.h"
#include "support/TestImages.h"

namespace lumagrove {
namespace {

using testing::AwkwardSizes;
using testing::ConstantImage;
using testing::RandomImage;
using testing::StructuredImage;
using testing::TestImage;
using testing::ToVector;

// Straight from the description of the operator: flat-index neighbours,
// eighths in double precision, the arc tangent with pi as 3.141592654.
struct ReferenceGradient {
    std::vector<int> magnitude;
    std::vector<int> angle;
};

ReferenceGradient ReferenceSobel(const TestImage& image) {
    const int w = image.width;
    const int count = w * image.height;
    const std::vector<std::uint8_t>& p = image.pixels;
    ReferenceGradient field{std::vector<int>(count, 0), std::vector<int>(count, 0)};
    for (int i = w + 1; i < count - w - 1; ++i) {
        const int al = p[i - w - 1], a = p[i - w], ar = p[i - w + 1];
        const int l = p[i - 1], r = p[i + 1];
        const int bl = p[i + w - 1], b = p[i + w], br = p[i + w + 1];
        const int gx = (ar + 2 * r + br) - (al + 2 * l + bl);
        const int gy = (al + 2 * a + ar) - (bl + 2 * b + br);
        const double x = 0.125 * gx;
        const double y = 0.125 * gy;
        field.magnitude[i] = static_cast<int>(std::sqrt(x * x + y * y));
        double theta;
        if (gx != 0) {
            theta = std::atan2(y, x);
        } else {
            theta = gy > 0 ? 1.570796327 : (gy < 0 ? -1.570796327 : 0.0);
        }
        field.angle[i] = static_cast<int>(theta * 57.29577950560105);
    }
    return field;
}

std::vector<std::uint8_t> ReferenceEdgesByGradient(const ReferenceGradient& field, int threshold) {
    std::vector<std::uint8_t> result(field.magnitude.size());
    for (std::size_t i = 0; i < result.size(); ++i) result[i] = field.magnitude[i] > threshold ? 255 : 0;
    return result;
}

std::vector<std::uint8_t> ReferenceEdgesByDirection(const ReferenceGradient& field, int threshold, int direction) {
    const long long d = direction;
    std::vector<std::uint8_t> result(field.magnitude.size());
    for (std::size_t i = 0; i < result.size(); ++i) {
        const long long a = field.angle[i];
        const bool near = (d - 10 < a && a < d + 10) || (d - 190 < a && a < d - 170) || (d + 170 < a && a < d + 190);
        result[i] = field.magnitude[i] > threshold && near ? 255 : 0;
    }
    return result;
}

std::vector<int> Magnitudes(const std::vector<GradientSample>& field) {
    std::vector<int> values;
    for (const GradientSample& sample : field) values.push_back(sample.magnitude);
    return values;
}

std::vector<int> Angles(const std::vector<GradientSample>& field) {
    std::vector<int> values;
    for (const GradientSample& sample : field) values.push_back(sample.angle);
    return values;
}

std::vector<TestImage> EdgeTestImages() {
    std::vector<TestImage> images;
    std::uint32_t seed = 11;
    for (const auto& [width, height] : AwkwardSizes()) {
        images.push_back(RandomImage(width, height, seed++));
        images.push_back(StructuredImage(width, height, seed++));
    }
    // Extremes only: the largest gradients, where a bound or a root is tested hardest.
    TestImage extremes = RandomImage(41, 29, seed++);
    for (auto& pixel : extremes.pixels) pixel = pixel < 128 ? 0 : 255;
    images.push_back(extremes);
    return images;
}

const int kThresholds[] = {INT_MIN, -1000, -1, 0, 1, 29, 30, 31, 100, 141, 142, 143, 180, 254, 255, 256, INT_MAX};

TEST(EdgeDetection, GradientImageAndFieldMatchTheReference) {
    for (const TestImage& image : EdgeTestImages()) {
        const ImageView work{image.pixels, image.width, image.height};
        const ReferenceGradient expected = ReferenceSobel(image);
        const std::vector<std::uint8_t> gradient = ToVector(GradientImage(work));
        const std::vector<GradientSample> field = GradientField(work);
        EXPECT_EQ(std::vector<int>(gradient.begin(), gradient.end()), expected.magnitude)
            << image.width << "x" << image.height;
        EXPECT_EQ(Magnitudes(field), expected.magnitude) << image.width << "x" << image.height;
        EXPECT_EQ(Angles(field), expected.angle) << image.width << "x" << image.height;
    }
}

TEST(EdgeDetection, EdgeMapsMatchTheReferenceForEveryThresholdAndDirection) {
    for (const TestImage& image : EdgeTestImages()) {
        const ImageView work{image.pixels, image.width, image.height};
        const ReferenceGradient field = ReferenceSobel(image);
        const bool small = image.pixels.size() < 5000;
        for (int threshold : kThresholds) {
            EXPECT_EQ(ToVector(EdgesByGradient(work, threshold)), ReferenceEdgesByGradient(field, threshold))
                << image.width << "x" << image.height << " threshold " << threshold;
        }
        // Every direction a dialog is likely to see on small images, a spread on large ones.
        for (int direction = -400; direction <= 400; direction += small ? 1 : 37) {
            for (int threshold : {-1, 0, 30}) {
                EXPECT_EQ(ToVector(EdgesByDirection(work, threshold, direction)),
                          ReferenceEdgesByDirection(field, threshold, direction))
                    << image.width << "x" << image.height << " threshold " << threshold << " direction " << direction;
            }
        }
        for (int direction : {INT_MIN, INT_MIN + 5, INT_MAX - 5, INT_MAX}) {
            EXPECT_EQ(ToVector(EdgesByDirection(work, -1, direction)), ReferenceEdgesByDirection(field, -1, direction))
                << image.width << "x" << image.height << " direction " << direction;
        }
    }
}

// The integer form of the magnitude against the double-precision root, for
// every gradient the operator can produce and some it cannot.
TEST(EdgeDetection, IntegerMagnitudeEqualsTheTruncatedRootForEveryGradient) {
    for (int gx = -1020; gx <= 1020; ++gx) {
        for (int gy = -1020; gy <= 1020; ++gy) {
            const double x = 0.125 * gx;
            const double y = 0.125 * gy;
            ASSERT_EQ(sobel::Magnitude(sobel::ScaledSquare(gx, gy)), static_cast<int>(std::sqrt(x * x + y * y)))
                << gx << ", " << gy;
        }
    }
}

TEST(EdgeDetection, AnglesFollowTheProgramsPi) {
    EXPECT_EQ(sobel::AngleDegrees(100, 0), 0);
    EXPECT_EQ(sobel::AngleDegrees(0, 100), 90);
    EXPECT_EQ(sobel::AngleDegrees(0, -100), -90);
    EXPECT_EQ(sobel::AngleDegrees(0, 0), 0);
    EXPECT_EQ(sobel::AngleDegrees(100, 100), 44);
    EXPECT_EQ(sobel::AngleDegrees(-100, 100), 134);
    EXPECT_EQ(sobel::AngleDegrees(100, -100), -44);
    EXPECT_EQ(sobel::AngleDegrees(-100, -100), -134);
    EXPECT_EQ(sobel::AngleDegrees(-100, 0), 179);
}

TestImage VerticalStep(std::uint8_t left, std::uint8_t right) {
    TestImage image = ConstantImage(8, 5, right);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 4; ++x) image.at(x, y) = left;
    }
    return image;
}

TEST(EdgeDetection, VerticalStepGivesTheDocumentedMagnitudesAndAngles) {
    const TestImage dark = VerticalStep(0, 255);
    const std::vector<GradientSample> field = GradientField({dark.pixels, 8, 5});
    const int computedFirst = 8 + 1;
    const int computedEnd = 40 - 8 - 1;
    for (int i = computedFirst; i < computedEnd; ++i) {
        const int x = i % 8;
        const GradientSample sample = field[i];
        if (x == 3 || x == 4) {
            EXPECT_EQ(sample.magnitude, 127) << i;
            EXPECT_EQ(sample.angle, 0) << i;
        } else if (x == 0 || x == 7) {
            // The left and right neighbours wrap into the adjacent rows.
            EXPECT_EQ(sample.magnitude, 127) << i;
            EXPECT_EQ(sample.angle, 179) << i;
        } else {
            EXPECT_EQ(sample.magnitude, 0) << i;
        }
    }

    const TestImage bright = VerticalStep(255, 0);
    const ImageView reversed{bright.pixels, 8, 5};
    const std::vector<GradientSample> reversedField = GradientField(reversed);
    const PixelArray edges = EdgesByDirection(reversed, 30, 0);
    for (int i = computedFirst; i < computedEnd; ++i) {
        if (i % 8 == 3 || i % 8 == 4) {
            EXPECT_EQ(reversedField[i].angle, 179) << i;
            EXPECT_EQ(edges[i], 255) << i;
        }
    }
}

TEST(EdgeDetection, RampIsFoundAtTheDefaultThresholdAndDirection) {
    TestImage ramp = ConstantImage(5, 5, 0);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 5; ++x) ramp.at(x, y) = static_cast<std::uint8_t>(128 + 22 * (x - y));
    }
    const ImageView work{ramp.pixels, 5, 5};
    const std::vector<GradientSample> field = GradientField(work);
    const PixelArray byDirection = EdgesByDirection(work, 30, 45);
    const PixelArray byGradient30 = EdgesByGradient(work, 30);
    const PixelArray byGradient31 = EdgesByGradient(work, 31);
    for (int y = 1; y <= 3; ++y) {
        for (int x = 1; x <= 3; ++x) {
            const int i = y * 5 + x;
            EXPECT_EQ(field[i].magnitude, 31) << x << "," << y;
            EXPECT_EQ(field[i].angle, 44) << x << "," << y;
            EXPECT_EQ(byDirection[i], 255) << x << "," << y;
            EXPECT_EQ(byGradient30[i], 255) << x << "," << y;  // strict: 31 > 30
            EXPECT_EQ(byGradient31[i], 0) << x << "," << y;    // 31 is not above 31
        }
    }
}

TEST(EdgeDetection, UncomputedPixelsCountAsNoGradient) {
    const TestImage flat = ConstantImage(6, 4, 77);
    const ImageView work{flat.pixels, 6, 4};
    EXPECT_EQ(ToVector(GradientImage(work)), std::vector<std::uint8_t>(24, 0));
    EXPECT_EQ(ToVector(EdgesByGradient(work, 0)), std::vector<std::uint8_t>(24, 0));
    EXPECT_EQ(ToVector(EdgesByDirection(work, 0, 0)), std::vector<std::uint8_t>(24, 0));
    // Below zero every pixel passes, the uncomputed ones included.
    EXPECT_EQ(ToVector(EdgesByGradient(work, -1)), std::vector<std::uint8_t>(24, 255));
    EXPECT_EQ(ToVector(EdgesByDirection(work, -1, 0)), std::vector<std::uint8_t>(24, 255));
    EXPECT_EQ(ToVector(EdgesByDirection(work, -1, 90)), std::vector<std::uint8_t>(24, 0));

    // Too few pixels for any 3 x 3 neighbourhood: nothing is read, all is zero.
    const std::uint8_t line[] = {0, 255, 0, 255};
    for (const auto& [width, height] : {std::pair{4, 1}, std::pair{1, 4}, std::pair{2, 2}}) {
        SCOPED_TRACE(::testing::Message() << width << "x" << height);
        const ImageView tiny{line, width, height};
        EXPECT_EQ(ToVector(GradientImage(tiny)), std::vector<std::uint8_t>(4, 0));
        EXPECT_EQ(GradientField(tiny).size(), 4u);
    }
}

}  // namespace
}  // namespace lumagrove
