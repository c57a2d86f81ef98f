#include <cstdlib>
#include <random>

#include <gtest/gtest.h>

#include "PictureMaker.h"
#include "PictureTesting.h"

namespace lumagrove::testing {
namespace {

std::vector<std::uint8_t> RandomRgba(int pixels, bool opaque, std::uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(pixels) * 4);
    for (std::size_t i = 0; i < rgba.size(); ++i)
        rgba[i] = opaque && i % 4 == 3 ? 255 : static_cast<std::uint8_t>(random());
    return rgba;
}

std::uint8_t ExpectedGrey(const std::uint8_t* p) {
    return ExpectedLuma(ExpectedOverWhite(p[0], p[3]), ExpectedOverWhite(p[1], p[3]), ExpectedOverWhite(p[2], p[3]));
}

TEST(WebpReading, LosslessColourWithAndWithoutTransparency) {
    for (bool opaque : {true, false}) {
        SCOPED_TRACE(opaque ? "opaque" : "with alpha");
        const std::vector<std::uint8_t> rgba = RandomRgba(17 * 9, opaque, opaque ? 1 : 2);
        const ReadResult read = DecodeBytes(MakeWebp(17, 9, rgba, true));
        ASSERT_EQ(read.status, 1) << read.firstMessage();
        ASSERT_EQ(read.width, 17);
        ASSERT_EQ(read.height, 9);
        for (std::size_t i = 0; i < read.grey.size(); ++i) ASSERT_EQ(read.grey[i], ExpectedGrey(&rgba[4 * i])) << i;
    }
}

TEST(WebpReading, LossyPicturesComeClose) {
    std::vector<std::uint8_t> rgba;
    for (int i = 0; i < 64 * 64; ++i) rgba.insert(rgba.end(), {200, 120, 40, 255});
    const ReadResult read = DecodeBytes(MakeWebp(64, 64, rgba, false));
    ASSERT_EQ(read.status, 1) << read.firstMessage();
    EXPECT_LE(std::abs(read.grey[32 * 64 + 32] - ExpectedLuma(200, 120, 40)), 3);
}

TEST(WebpReading, AnAnimationGivesItsFirstFrame) {
    const std::vector<std::uint8_t> first = RandomRgba(6 * 4, true, 3), second = RandomRgba(6 * 4, true, 4);
    const ReadResult read = DecodeBytes(MakeAnimatedWebp(6, 4, {first, second}));
    ASSERT_EQ(read.status, 1) << read.firstMessage();
    for (std::size_t i = 0; i < read.grey.size(); ++i) ASSERT_EQ(read.grey[i], ExpectedGrey(&first[4 * i])) << i;
}

}  // namespace
}  // namespace lumagrove::testing
