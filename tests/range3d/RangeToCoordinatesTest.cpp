#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "RangeReference.h"
#include "support/TestImages.h"

namespace lumagrove {
namespace {

using testing::ConstantImage;
using testing::RandomImage;
using testing::ReferenceRangeToCoordinates;
using testing::StructuredImage;
using testing::TestImage;

bool SamePlane(const std::unique_ptr<double[]>& a, const std::unique_ptr<double[]>& b) {
    return std::memcmp(a.get(), b.get(), kRangePixels * sizeof(double)) == 0;
}

RangeCoordinates Convert(const TestImage& image) {
    RangeCoordinates points;
    RangeToCoordinates(std::span<const std::uint8_t, kRangePixels>(image.pixels.data(), kRangePixels), points);
    return points;
}

TEST(RangeToCoordinates, MatchesTheReferenceBitForBit) {
    int listed = 0;
    for (const TestImage& image : {RandomImage(128, 128, 1), RandomImage(128, 128, 2), StructuredImage(128, 128, 3),
                                   ConstantImage(128, 128, 0), ConstantImage(128, 128, 255)}) {
        SCOPED_TRACE(::testing::Message() << "image " << listed++ << " of the list");
        const RangeCoordinates points = Convert(image);
        RangeCoordinates expected;
        ReferenceRangeToCoordinates(image.pixels, expected);
        EXPECT_TRUE(SamePlane(points.x, expected.x));
        EXPECT_TRUE(SamePlane(points.y, expected.y));
        EXPECT_TRUE(SamePlane(points.z, expected.z));
    }
}

TEST(RangeToCoordinates, ZeroLandsOnTheOffsetPlaneAlongTheRay) {
    const RangeCoordinates points = Convert(ConstantImage(128, 128, 0));
    for (std::size_t i = 0; i < kRangePixels; ++i) ASSERT_EQ(points.z[i], 10.0) << i;
    // 10 tan(alpha) and 10 tan(beta), worked out by hand for two pixels:
    // the left column looks left, the top row looks up.
    EXPECT_NEAR(points.x[0], -5.719071810698402, 1e-12);
    EXPECT_NEAR(points.y[0], 5.741571398051319, 1e-12);
    EXPECT_NEAR(points.x[5 * 128 + 127], 5.719071810698402, 1e-12);
    EXPECT_NEAR(points.y[5 * 128 + 127], 5.158628397158802, 1e-12);
}

TEST(RangeToCoordinates, EveryPointLiesItsRangeBeyondTheOffsetPlane) {
    const TestImage image = RandomImage(128, 128, 4);
    const RangeCoordinates points = Convert(image);
    for (std::size_t i = 0; i < kRangePixels; ++i) {
        const double length = std::hypot(points.x[i] * (points.z[i] - 10) / points.z[i],
                                         points.y[i] * (points.z[i] - 10) / points.z[i], points.z[i] - 10);
        ASSERT_NEAR(length, image.pixels[i], 1e-9) << i;
    }
}

}  // namespace
}  // namespace lumagrove
