#include <gtest/gtest.h>

#include "imaging/FilterImage.h"
#include "imaging/GrayImage.h"
#include "imaging/PixelBuffer.h"
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
        const PixelBuffer work(image.pixels.data(), width, height);
        EXPECT_EQ(ToVector(work.negate()), ReferenceNegate(image)) << width << "x" << height;
        for (int threshold : {-1000, -1, 0, 1, 127, 149, 150, 151, 254, 255, 256, 100000}) {
            EXPECT_EQ(ToVector(work.binarize(threshold)), ReferenceBinarize(image, threshold))
                << width << "x" << height << " threshold " << threshold;
        }
    }
}

TEST(PointOperations, NegateTwiceIsIdentityAndSwapsBlackAndWhite) {
    const TestImage image = RandomImage(37, 23, 7);
    const PixelBuffer once(image.pixels.data(), 37, 23);
    const PixelArray negated = once.negate();
    const PixelBuffer twice(negated.data(), 37, 23);
    EXPECT_EQ(ToVector(twice.negate()), image.pixels);

    const std::uint8_t extremes[] = {0, 255};
    EXPECT_EQ(ToVector(PixelBuffer(extremes, 2, 1).negate()), (std::vector<std::uint8_t>{255, 0}));
}

TEST(PointOperations, BinarizeIsStrictAtTheThreshold) {
    const std::uint8_t values[] = {149, 150, 151, 0, 255};
    const PixelBuffer work(values, 5, 1);
    EXPECT_EQ(ToVector(work.binarize(150)), (std::vector<std::uint8_t>{0, 0, 255, 0, 255}));
    EXPECT_EQ(ToVector(work.binarize(-1)), (std::vector<std::uint8_t>(5, 255)));
    EXPECT_EQ(ToVector(work.binarize(255)), (std::vector<std::uint8_t>(5, 0)));
}

TEST(WorkingImages, HoldTheirOwnCopyOfTheSource) {
    std::vector<std::uint8_t> source = {1, 2, 3, 4, 5, 6};
    const PixelBuffer buffer(source.data(), 3, 2);
    const GrayImage gray(source.data(), 3, 2);
    const FilterImage filter(source.data(), 3, 2);
    source.assign(6, 99);

    EXPECT_EQ(ToVector(buffer.negate()), (std::vector<std::uint8_t>{254, 253, 252, 251, 250, 249}));
    EXPECT_EQ(ToVector(gray.pixels), (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(ToVector(filter.source), (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(buffer.count, 6);
    EXPECT_EQ(gray.count, 6);
    EXPECT_EQ(filter.output.size(), 6u);
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
