#include <span>
#include <stdexcept>
#include <vector>

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
        const PixelBuffer work(image.pixels, width, height);
        EXPECT_EQ(ToVector(work.negate()), ReferenceNegate(image)) << width << "x" << height;
        for (int threshold : {-1000, -1, 0, 1, 127, 149, 150, 151, 254, 255, 256, 100000}) {
            EXPECT_EQ(ToVector(work.binarize(threshold)), ReferenceBinarize(image, threshold))
                << width << "x" << height << " threshold " << threshold;
        }
    }
}

TEST(PointOperations, NegateTwiceIsIdentityAndSwapsBlackAndWhite) {
    const TestImage image = RandomImage(37, 23, 7);
    const PixelBuffer once(image.pixels, 37, 23);
    const PixelArray negated = once.negate();
    const PixelBuffer twice(negated, 37, 23);
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
    const PixelBuffer buffer(source, 3, 2);
    const GrayImage gray(source, 3, 2);
    const FilterImage filter(source, 3, 2);
    source.assign(6, 99);

    EXPECT_EQ(ToVector(buffer.negate()), (std::vector<std::uint8_t>{254, 253, 252, 251, 250, 249}));
    EXPECT_EQ(ToVector(gray.pixels), (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(ToVector(filter.source), (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(buffer.count, 6);
    EXPECT_EQ(gray.count, 6);
    EXPECT_EQ(filter.output.size(), 6u);
}

// Sides that would make a negative or wrapped count, or that describe more or
// fewer pixels than the source holds, never reach an operation.
TEST(WorkingImages, RefuseSidesThatDoNotDescribeTheSource) {
    const std::vector<std::uint8_t> source(16, 7);
    const std::span<const std::uint8_t> none;
    const struct {
        std::span<const std::uint8_t> pixels;
        std::int32_t width;
        std::int32_t height;
    } refused[] = {{source, -4096, -4096}, {source, -4, -4},
                   {source, 4, -4},        {none, 0, 0},
                   {none, 0, 5},           {none, 65536, 65536},
                   {none, 46341, 46341},   {source, 4, 3},
                   {source, 5, 4},         {std::span(source).first(15), 4, 4}};
    for (const auto& [pixels, width, height] : refused) {
        EXPECT_THROW(PixelBuffer(pixels, width, height), std::invalid_argument) << width << " x " << height;
        EXPECT_THROW(GrayImage(pixels, width, height), std::invalid_argument) << width << " x " << height;
        EXPECT_THROW(FilterImage(pixels, width, height), std::invalid_argument) << width << " x " << height;
    }
    EXPECT_NO_THROW(PixelBuffer(source, 16, 1));
    EXPECT_NO_THROW(GrayImage(source, 1, 16));
    EXPECT_NO_THROW(FilterImage(source, 2, 8));
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
