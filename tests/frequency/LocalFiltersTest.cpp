#include <gtest/gtest.h>

#include <algorithm>

#include "FourierReference.h"
#include "frequency/FrequencyFilters.h"
#include "support/MessageLog.h"
#include "support/TestImages.h"

namespace lumagrove {
namespace {

using testing::MessageLog;
using testing::RandomImage;
using testing::StructuredImage;
using testing::TestImage;
using testing::ToVector;

struct Corners {
    std::int32_t x1, y1, x2, y2;
};

PixelArray Local(const TestImage& image, PassBand band, std::int32_t cutoffX, std::int32_t cutoffY, Corners c) {
    const ImageView work{image.pixels, image.width, image.height};
    MessageLog log;
    PixelArray result = band == PassBand::Low
                            ? LocalLowPass(work, cutoffX, cutoffY, c.x1, c.y1, c.x2, c.y2, log.reporter())
                            : LocalHighPass(work, cutoffX, cutoffY, c.x1, c.y1, c.x2, c.y2, log.reporter());
    EXPECT_TRUE(log.messages.empty());
    return result;
}

TestImage Cut(const TestImage& image, std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
    TestImage part = testing::ConstantImage(width, height, 0);
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) part.at(x, y) = image.pixels[(top + y) * image.width + left + x];
    }
    return part;
}

// The rectangle is filtered from its own direct transform with its own sides
// in the cut-off rule and scaled by its own largest value; every pixel
// outside it keeps its value. Corners come in any order and are clipped.
TEST(LocalFilters, FilterTheRectangleAloneAsTheDirectTransformsDo) {
    const TestImage image = StructuredImage(41, 29, 5);
    struct Case {
        Corners corners;
        std::int32_t left, top, width, height;  // the rectangle they stand for
    };
    for (const Case& c : {Case{{5, 4, 22, 17}, 5, 4, 17, 13}, Case{{30, 20, 9, 2}, 9, 2, 21, 18},
                          Case{{-6, 25, 13, 99}, 0, 25, 13, 4}, Case{{40, 0, 41, 29}, 40, 0, 1, 29}}) {
        const TestImage inside = Cut(image, c.left, c.top, c.width, c.height);
        for (const PassBand band : {PassBand::Low, PassBand::High}) {
            for (const auto& [cutoffX, cutoffY] : std::vector<std::pair<int, int>>{{3, 2}, {12, 30}, {0, 0}}) {
                SCOPED_TRACE(::testing::Message()
                             << c.left << "," << c.top << " " << c.width << "x" << c.height
                             << (band == PassBand::Low ? " low" : " high") << " cut-off " << cutoffX << "," << cutoffY);
                const PixelArray result = Local(image, band, cutoffX, cutoffY, c.corners);
                const TestImage shown{image.width, image.height, ToVector(result)};
                const PixelArray part = PixelArray::CopyOf(Cut(shown, c.left, c.top, c.width, c.height).pixels.data(),
                                                           inside.pixels.size());
                EXPECT_EQ(testing::DifferenceFromLevels(
                              part, testing::ReferenceFilterLevels(inside, band, cutoffX, cutoffY), c.width),
                          "");
                for (std::int32_t y = 0; y < image.height; ++y) {
                    for (std::int32_t x = 0; x < image.width; ++x) {
                        const bool in = x >= c.left && x < c.left + c.width && y >= c.top && y < c.top + c.height;
                        const std::size_t at = static_cast<std::size_t>(y) * image.width + x;
                        if (!in) {
                            ASSERT_EQ(result[at], image.pixels[at]) << x << "," << y;
                        }
                    }
                }
            }
        }
    }
}

// A rectangle of the whole image is the global filter, byte for byte; one
// with no pixels (no selection) leaves the image as it is.
TEST(LocalFilters, WholeImageIsTheGlobalFilterAndAnEmptyRectangleNothing) {
    const TestImage image = RandomImage(64, 48, 8);
    const ImageView work{image.pixels, image.width, image.height};
    MessageLog log;
    EXPECT_EQ(ToVector(Local(image, PassBand::High, 20, 7, {64, 48, 0, 0})),
              ToVector(GlobalHighPass(work, 20, 7, log.reporter())));
    EXPECT_EQ(ToVector(Local(image, PassBand::Low, 20, 7, {0, 0, 200, 300})),
              ToVector(GlobalLowPass(work, 20, 7, log.reporter())));
    for (const Corners empty : {Corners{0, 0, 0, 0}, Corners{10, 5, 10, 40}, Corners{70, 50, 90, 60}}) {
        EXPECT_EQ(ToVector(Local(image, PassBand::Low, 3, 3, empty)), image.pixels);
    }
}

}  // namespace
}  // namespace lumagrove
