#include <vector>

#include <gtest/gtest.h>

#include "imaging/PointOperations.h"
#include "support/TestImages.h"

namespace lumagrove {
namespace {

using testing::AwkwardSizes;
using testing::RandomImage;
using testing::TestImage;
using testing::ToVector;

std::vector<std::uint8_t> ReferenceNegate(const TestImage& image) {
    std::vector<std::uint8_t> result(image.pixels.size());
    for (std::size_t i = 0; i < result.size(); ++i) result[i] = static_cast<std::uint8_t>(255 - image.pixels[i]);
    return result;
}

std::vector<std::uint8_t> ReferenceBinarize(const TestImage& image, int threshold) {
    std::vector<std::uint8_t> result(image.pixels.size());
    for (std::size_t i = 0; i < result.size(); ++i) result[i] = image.pixels[i] > threshold ? 255 : 0;
    return result;
}

TEST(PointOperations, MatchTheReferenceOnEverySizeAndThreshold) {
    std::uint32_t seed = 1;
    for (const auto& [width, height] : AwkwardSizes()) {
        const TestImage image = RandomImage(width, height, seed++);
        const ImageView work{image.pixels, width, height};
        EXPECT_EQ(ToVector(Negate(work)), ReferenceNegate(image)) << width << "x" << height;
        for (int threshold : {-1000, -1, 0, 1, 127, 149, 150, 151, 254, 255, 256, 100000}) {
            EXPECT_EQ(ToVector(Binarize(work, threshold)), ReferenceBinarize(image, threshold))
                << width << "x" << height << " threshold " << threshold;
        }
    }
}

TEST(PointOperations, NegateTwiceIsIdentityAndSwapsBlackAndWhite) {
    const TestImage image = RandomImage(37, 23, 7);
    const PixelArray negated = Negate({image.pixels, 37, 23});
    EXPECT_EQ(ToVector(Negate({negated, 37, 23})), image.pixels);

    const std::uint8_t extremes[] = {0, 255};
    EXPECT_EQ(ToVector(Negate({extremes, 2, 1})), (std::vector<std::uint8_t>{255, 0}));
}

TEST(PointOperations, BinarizeIsStrictAtTheThreshold) {
    const std::uint8_t values[] = {149, 150, 151, 0, 255};
    const ImageView work{values, 5, 1};
    EXPECT_EQ(ToVector(Binarize(work, 150)), (std::vector<std::uint8_t>{0, 0, 255, 0, 255}));
    EXPECT_EQ(ToVector(Binarize(work, -1)), (std::vector<std::uint8_t>(5, 255)));
    EXPECT_EQ(ToVector(Binarize(work, 255)), (std::vector<std::uint8_t>(5, 0)));
}

TEST(PixelArray, AMovedFromArrayIsEmpty) {
    PixelArray first = PixelArray::Filled(4, 9);
    PixelArray second = std::move(first);
    EXPECT_TRUE(first.empty());  // NOLINT(bugprone-use-after-move): the state after a move is the point
    EXPECT_EQ(first.size(), 0u);
    EXPECT_EQ(second.size(), 4u);
    PixelArray third;
    third = std::move(second);
    EXPECT_EQ(second.size(), 0u);
    EXPECT_EQ(third[3], 9);
}

}  // namespace
}  // namespace lumagrove
