#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "imaging/Equalization.h"
#include "support/TestImages.h"

namespace lumagrove {
namespace {

using testing::AwkwardSizes;
using testing::ConstantImage;
using testing::RandomImage;
using testing::StructuredImage;
using testing::TestImage;
using testing::ToVector;

// Straight from the description of the mapping, on the rectangle
// [x1, x2) x [y1, y2) of `values`, written into `result`.
void ReferenceEqualizeRegion(const std::vector<std::uint8_t>& values, std::vector<std::uint8_t>& result, int width,
                             int x1, int y1, int x2, int y2) {
    const int n = (x2 - x1) * (y2 - y1);
    if (n == 0) return;
    int histogram[256] = {};
    for (int y = y1; y < y2; ++y) {
        for (int x = x1; x < x2; ++x) histogram[values[y * width + x]] += 1;
    }
    float distribution[256];
    for (int k = 0; k < 256; ++k) distribution[k] = static_cast<float>(static_cast<double>(histogram[k]) / n);
    for (int k = 1; k < 256; ++k) distribution[k] = distribution[k - 1] + distribution[k];
    std::uint8_t map[256];
    for (int k = 0; k < 256; ++k) map[k] = static_cast<std::uint8_t>(static_cast<int>(distribution[k] * 255.0));
    for (int y = y1; y < y2; ++y) {
        for (int x = x1; x < x2; ++x) result[y * width + x] = map[values[y * width + x]];
    }
}

std::vector<std::uint8_t> ReferenceArea(const TestImage& image, int x1, int y1, int x2, int y2) {
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    x1 = std::clamp(x1, 0, image.width);
    x2 = std::clamp(x2, 0, image.width);
    y1 = std::clamp(y1, 0, image.height);
    y2 = std::clamp(y2, 0, image.height);
    std::vector<std::uint8_t> result = image.pixels;
    ReferenceEqualizeRegion(image.pixels, result, image.width, x1, y1, x2, y2);
    return result;
}

std::vector<std::uint8_t> ReferenceFourAreas(const TestImage& image) {
    const int w = image.width, h = image.height, mx = w / 2, my = h / 2;
    std::vector<std::uint8_t> result = image.pixels;
    const int areas[4][4] = {{0, 0, mx, my}, {mx, 0, w, my}, {0, my, mx, h}, {mx, my, w, h}};
    for (const auto& a : areas) ReferenceEqualizeRegion(result, result, w, a[0], a[1], a[2], a[3]);
    return result;
}

std::vector<std::uint8_t> ReferenceSixteenAreas(const TestImage& image) {
    const int w = image.width, h = image.height;
    const int xs[5] = {0, w / 4, w / 2, (3 * w) / 4, w};
    const int ys[5] = {0, h / 4, h / 2, (3 * h) / 4, h};
    std::vector<std::uint8_t> result = image.pixels;
    for (int j = 0; j < 4; ++j) {
        for (int i = 0; i < 4; ++i) ReferenceEqualizeRegion(result, result, w, xs[i], ys[j], xs[i + 1], ys[j + 1]);
    }
    return result;
}

ImageView Work(const TestImage& image) { return {image.pixels, image.width, image.height}; }

TEST(Equalization, EveryFormMatchesTheReferenceOnEverySize) {
    std::uint32_t seed = 300;
    for (const auto& [width, height] : AwkwardSizes()) {
        for (const TestImage& image : {RandomImage(width, height, seed), StructuredImage(width, height, seed + 1)}) {
            const ImageView work = Work(image);
            std::vector<std::uint8_t> whole = image.pixels;
            ReferenceEqualizeRegion(image.pixels, whole, width, 0, 0, width, height);
            EXPECT_EQ(ToVector(EqualizeGlobal(work)), whole) << width << "x" << height;
            EXPECT_EQ(ToVector(EqualizeFourAreas(work)), ReferenceFourAreas(image)) << width << "x" << height;
            EXPECT_EQ(ToVector(EqualizeSixteenAreas(work)), ReferenceSixteenAreas(image)) << width << "x" << height;
            // Corners inside, on the border, reversed, beyond every side, and empty.
            const int corners[][4] = {{0, 0, width, height},  {1, 1, width - 1, height - 1},
                                      {width, height, 0, 0},  {width / 2, 0, width / 3, height},
                                      {-5, -7, width + 3, 2}, {INT_MIN, INT_MAX, INT_MAX, INT_MIN},
                                      {3, 3, 3, 9},           {-4, -4, -1, -1}};
            for (const auto& c : corners) {
                EXPECT_EQ(ToVector(EqualizeArea(work, image.pixels.data(), c[0], c[1], c[2], c[3])),
                          ReferenceArea(image, c[0], c[1], c[2], c[3]))
                    << width << "x" << height << " corners " << c[0] << "," << c[1] << " " << c[2] << "," << c[3];
            }
        }
        seed += 2;
    }
}

TEST(Equalization, SmallImagesMapAsDocumented) {
    EXPECT_EQ(ToVector(EqualizeGlobal(Work(ConstantImage(4, 3, 77)))), std::vector<std::uint8_t>(12, 255));

    const std::uint8_t three[] = {10, 20, 30};
    EXPECT_EQ(ToVector(EqualizeGlobal({three, 3, 1})), (std::vector<std::uint8_t>{85, 170, 255}));

    const std::uint8_t pair[] = {40, 90, 90, 40};
    EXPECT_EQ(ToVector(EqualizeGlobal({pair, 2, 2})), (std::vector<std::uint8_t>{127, 255, 255, 127}));

    // Level 0 is mapped like any other.
    const std::uint8_t extremes[] = {0, 255, 0, 255};
    EXPECT_EQ(ToVector(EqualizeGlobal({extremes, 4, 1})), (std::vector<std::uint8_t>{127, 255, 127, 255}));
}

// The shares are summed in single precision: twelve levels of one pixel each
// end just below 1 (the brightest maps to 254), ten end just above it.
TEST(Equalization, RunningSumIsSinglePrecision) {
    std::vector<std::uint8_t> levels(12);
    for (int k = 0; k < 12; ++k) levels[k] = static_cast<std::uint8_t>(10 * k);
    EXPECT_EQ(EqualizeGlobal({levels, 12, 1})[11], 254);
    EXPECT_EQ(EqualizeGlobal({std::span(levels).first(10), 10, 1})[9], 255);
}

TEST(Equalization, SelectedAreaTakesCornersInAnyOrderAndExcludesTheFarEdge) {
    const TestImage image = RandomImage(50, 40, 7);
    const PixelArray result = EqualizeArea(Work(image), image.pixels.data(), 40, 30, 10, 20);
    std::vector<std::uint8_t> inside;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 50; ++x) {
            const int i = y * 50 + x;
            if (x >= 10 && x < 40 && y >= 20 && y < 30) {
                inside.push_back(result[i]);
            } else {
                ASSERT_EQ(result[i], image.pixels[i]) << x << "," << y;
            }
        }
    }
    // Equalized: the brightest level of the area reaches the top.
    EXPECT_GE(*std::max_element(inside.begin(), inside.end()), 254);

    // No selection yet: nothing changes.
    EXPECT_EQ(ToVector(EqualizeArea(Work(image), image.pixels.data(), 0, 0, 0, 0)), image.pixels);
}

TEST(Equalization, SelectedAreaReadsTheGivenBuffer) {
    const TestImage image = RandomImage(6, 5, 8);
    const TestImage other = ConstantImage(6, 5, 3);
    const PixelArray result = EqualizeArea(Work(image), other.pixels.data(), 0, 0, 2, 2);
    EXPECT_EQ(result[0], 255);
    EXPECT_EQ(result[7], 255);
    EXPECT_EQ(result[2], image.pixels[2]);

    std::vector<std::uint8_t> buffer = image.pixels;
    EqualizeAreaInPlace(buffer.data(), 6, 5, 5, 4, 1, 1);
    EXPECT_EQ(buffer, ReferenceArea(image, 1, 1, 5, 4));
}

// Each area holds one level of its own, so it turns white exactly when the
// cuts fall where they should; a cut one column off mixes two levels.
TEST(Equalization, AreaCutsFallWhereDocumented) {
    TestImage quarters = ConstantImage(5, 3, 0);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) quarters.at(x, y) = static_cast<std::uint8_t>(10 * ((x >= 2) + 2 * (y >= 1)) + 5);
    }
    EXPECT_EQ(ToVector(EqualizeFourAreas(Work(quarters))), std::vector<std::uint8_t>(15, 255));

    TestImage tiles = ConstantImage(10, 9, 0);
    const int columnBand[10] = {0, 0, 1, 1, 1, 2, 2, 3, 3, 3};  // cuts 0, 2, 5, 7, 10
    const int rowBand[9] = {0, 0, 1, 1, 2, 2, 3, 3, 3};         // cuts 0, 2, 4, 6, 9
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 10; ++x)
            tiles.at(x, y) = static_cast<std::uint8_t>(10 * (columnBand[x] + 4 * rowBand[y]) + 5);
    }
    EXPECT_EQ(ToVector(EqualizeSixteenAreas(Work(tiles))), std::vector<std::uint8_t>(90, 255));

    // Three columns, one row: the cuts 0, 0, 1, 2, 3 and 0, 0, 0, 0, 1 leave
    // thirteen areas empty and three of one pixel each, which turn white.
    const std::uint8_t narrow[] = {1, 2, 3};
    EXPECT_EQ(ToVector(EqualizeSixteenAreas({narrow, 3, 1})), (std::vector<std::uint8_t>{255, 255, 255}));
}

}  // namespace
}  // namespace lumagrove
