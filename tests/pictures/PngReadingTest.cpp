#include <png.h>

#include <random>

#include <gtest/gtest.h>

#include "PictureMaker.h"
#include "PictureTesting.h"

namespace lumagrove::testing {
namespace {

struct PngCase {
    int colourType;
    int bitDepth;
    bool interlaced;
};

int ChannelsOf(int colourType) {
    switch (colourType) {
        case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
        case PNG_COLOR_TYPE_RGB: return 3;
        case PNG_COLOR_TYPE_RGB_ALPHA: return 4;
        default: return 1;
    }
}

// The grey the rules give for one pixel's samples, at any bit depth.
std::uint8_t ExpectedGrey(const std::uint16_t* s, int colourType, int bits) {
    const auto eight = [bits](int v) { return bits == 16 ? ExpectedFromSixteen(v) : v * 255 / ((1 << bits) - 1); };
    switch (colourType) {
        case PNG_COLOR_TYPE_GRAY: return static_cast<std::uint8_t>(eight(s[0]));
        case PNG_COLOR_TYPE_GRAY_ALPHA: return static_cast<std::uint8_t>(ExpectedOverWhite(eight(s[0]), eight(s[1])));
        case PNG_COLOR_TYPE_RGB: return ExpectedLuma(eight(s[0]), eight(s[1]), eight(s[2]));
        default: {
            const int a = eight(s[3]);
            return ExpectedLuma(ExpectedOverWhite(eight(s[0]), a), ExpectedOverWhite(eight(s[1]), a),
                                ExpectedOverWhite(eight(s[2]), a));
        }
    }
}

PngPicture RandomPng(int width, int height, const PngCase& c, std::uint32_t seed) {
    std::mt19937 random(seed);
    PngPicture picture{width, height, c.colourType, c.bitDepth};
    picture.interlaced = c.interlaced;
    picture.samples.resize(static_cast<std::size_t>(width) * height * ChannelsOf(c.colourType));
    for (auto& sample : picture.samples) sample = static_cast<std::uint16_t>(random() & ((1u << c.bitDepth) - 1));
    return picture;
}

TEST(PngReading, EveryLayoutAndDepthFollowsTheConversionRules) {
    const std::vector<PngCase> cases = {
        {PNG_COLOR_TYPE_GRAY, 1, false},       {PNG_COLOR_TYPE_GRAY, 2, false},
        {PNG_COLOR_TYPE_GRAY, 4, true},        {PNG_COLOR_TYPE_GRAY, 8, false},
        {PNG_COLOR_TYPE_GRAY, 16, false},      {PNG_COLOR_TYPE_GRAY_ALPHA, 8, false},
        {PNG_COLOR_TYPE_GRAY_ALPHA, 16, true}, {PNG_COLOR_TYPE_RGB, 8, false},
        {PNG_COLOR_TYPE_RGB, 8, true},         {PNG_COLOR_TYPE_RGB, 16, false},
        {PNG_COLOR_TYPE_RGB_ALPHA, 8, false},  {PNG_COLOR_TYPE_RGB_ALPHA, 16, false},
        {PNG_COLOR_TYPE_RGB_ALPHA, 16, true},
    };
    for (const PngCase& c : cases) {
        SCOPED_TRACE("colour type " + std::to_string(c.colourType) + ", " + std::to_string(c.bitDepth) + " bits" +
                     (c.interlaced ? ", interlaced" : ""));
        const PngPicture picture = RandomPng(37, 23, c, static_cast<std::uint32_t>(c.colourType * 100 + c.bitDepth));
        const ReadResult read = DecodeBytes(MakePng(picture));
        ASSERT_EQ(read.status, 1) << read.firstMessage();
        ASSERT_EQ(read.width, 37);
        ASSERT_EQ(read.height, 23);
        const int channels = ChannelsOf(c.colourType);
        for (std::size_t i = 0; i < read.grey.size(); ++i) {
            ASSERT_EQ(read.grey[i], ExpectedGrey(&picture.samples[i * channels], c.colourType, c.bitDepth))
                << "pixel " << i;
        }
    }
}

TEST(PngReading, SixteenBitGreyRoundsEveryValueToNearest) {
    PngPicture picture{256, 256, PNG_COLOR_TYPE_GRAY, 16};
    for (int v = 0; v < 65536; ++v) picture.samples.push_back(static_cast<std::uint16_t>(v));
    const ReadResult read = DecodeBytes(MakePng(picture));
    ASSERT_EQ(read.status, 1);
    for (int v = 0; v < 65536; ++v) ASSERT_EQ(read.grey[v], (v * 255 + 32767) / 65535) << v;
    EXPECT_EQ(read.grey[128], 0);  // 128 / 257 = 0.498
    EXPECT_EQ(read.grey[129], 1);  // 129 / 257 = 0.502
    EXPECT_EQ(read.grey[65535], 255);
}

TEST(PngReading, PaletteEntriesAndTheirTransparency) {
    PngPicture picture{4, 2, PNG_COLOR_TYPE_PALETTE, 8};
    picture.palette = {255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30};
    picture.paletteAlpha = {255, 0, 128};  // the fourth entry has no alpha: opaque
    picture.samples = {0, 1, 2, 3, 3, 2, 1, 0};
    const ReadResult read = DecodeBytes(MakePng(picture));
    ASSERT_EQ(read.status, 1);
    const std::uint8_t red = ExpectedLuma(255, 0, 0);
    const std::uint8_t clear = 255;
    const std::uint8_t halfBlue = ExpectedLuma(ExpectedOverWhite(0, 128), ExpectedOverWhite(0, 128), 255);
    const std::uint8_t dark = ExpectedLuma(10, 20, 30);
    EXPECT_EQ(read.grey, (std::vector<std::uint8_t>{red, clear, halfBlue, dark, dark, halfBlue, clear, red}));

    for (int bits : {1, 2, 4}) {
        SCOPED_TRACE(std::to_string(bits) + "-bit indices");
        PngPicture small{9, 3, PNG_COLOR_TYPE_PALETTE, bits};
        for (int i = 0; i < (1 << bits); ++i) {
            small.palette.insert(small.palette.end(),
                                 {static_cast<std::uint8_t>(i * 7), static_cast<std::uint8_t>(i * 11), 3});
        }
        for (int i = 0; i < 27; ++i) small.samples.push_back(static_cast<std::uint16_t>(i % (1 << bits)));
        const ReadResult smallRead = DecodeBytes(MakePng(small));
        ASSERT_EQ(smallRead.status, 1);
        for (int i = 0; i < 27; ++i) {
            const int index = i % (1 << bits);
            ASSERT_EQ(smallRead.grey[i], ExpectedLuma(index * 7, index * 11, 3)) << i;
        }
    }
}

TEST(PngReading, ATransparentColourBecomesWhite) {
    PngPicture grey{3, 1, PNG_COLOR_TYPE_GRAY, 8};
    grey.samples = {10, 20, 30};
    grey.transparentColour = {20};
    EXPECT_EQ(DecodeBytes(MakePng(grey)).grey, (std::vector<std::uint8_t>{10, 255, 30}));

    PngPicture rgb{2, 1, PNG_COLOR_TYPE_RGB, 16};
    rgb.samples = {1000, 2000, 3000, 65535, 0, 0};
    rgb.transparentColour = {1000, 2000, 3000};
    EXPECT_EQ(DecodeBytes(MakePng(rgb)).grey, (std::vector<std::uint8_t>{255, ExpectedLuma(255, 0, 0)}));
}

TEST(PngReading, TheNameDoesNotChooseTheDecoder) {
    PngPicture picture{2, 1, PNG_COLOR_TYPE_GRAY, 8};
    picture.samples = {1, 2};
    const ReadResult read = DecodeBytes(MakePng(picture), "really-a-png.jpg");
    EXPECT_EQ(read.status, 1);
    EXPECT_EQ(read.grey, (std::vector<std::uint8_t>{1, 2}));
}

}  // namespace
}  // namespace lumagrove::testing
