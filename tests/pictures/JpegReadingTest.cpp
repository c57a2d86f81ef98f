#include <cstdlib>

#include <gtest/gtest.h>

#include "PictureMaker.h"
#include "PictureTesting.h"

namespace lumagrove::testing {
namespace {

// 8 x 8 blocks, each of one colour, which JPEG at quality 100 keeps.
JpegPicture Blocks(int components, const std::vector<std::vector<std::uint8_t>>& colours, bool progressive = false) {
    JpegPicture picture{8 * static_cast<int>(colours.size()), 8, components};
    picture.progressive = progressive;
    for (int y = 0; y < 8; ++y) {
        for (const auto& colour : colours) {
            for (int x = 0; x < 8; ++x) picture.samples.insert(picture.samples.end(), colour.begin(), colour.end());
        }
    }
    return picture;
}

std::vector<int> BlockValues(const ReadResult& read) {
    std::vector<int> values;
    for (int bx = 0; bx < read.width / 8; ++bx) values.push_back(read.grey[4 * read.width + bx * 8 + 4]);
    return values;
}

TEST(JpegReading, GreyPicturesKeepTheirValues) {
    for (bool progressive : {false, true}) {
        const ReadResult read = DecodeBytes(MakeJpeg(Blocks(1, {{0}, {1}, {128}, {254}, {255}}, progressive)));
        ASSERT_EQ(read.status, 1) << read.firstMessage();
        EXPECT_EQ(read.width, 40);
        EXPECT_EQ(read.height, 8);
        EXPECT_EQ(BlockValues(read), (std::vector<int>{0, 1, 128, 254, 255}));
    }
}

TEST(JpegReading, ColourPicturesGiveTheDecodersLuma) {
    // The decoder's own luma uses the same weights at a different precision:
    // within one step of the rule's value.
    const std::vector<std::vector<std::uint8_t>> colours = {{255, 0, 0},     {0, 255, 0}, {0, 0, 255}, {200, 100, 50},
                                                            {255, 255, 255}, {0, 0, 0},   {90, 90, 90}};
    const ReadResult read = DecodeBytes(MakeJpeg(Blocks(3, colours)));
    ASSERT_EQ(read.status, 1) << read.firstMessage();
    const std::vector<int> values = BlockValues(read);
    for (std::size_t i = 0; i < colours.size(); ++i) {
        EXPECT_LE(std::abs(values[i] - ExpectedLuma(colours[i][0], colours[i][1], colours[i][2])), 1) << i;
    }
}

TEST(JpegReading, CmykPicturesStoreInvertedInks) {
    // As photo editors write them: 255 is no ink.
    const std::vector<std::vector<std::uint8_t>> inks = {
        {255, 255, 255, 255}, {255, 255, 255, 0}, {0, 255, 255, 255}, {255, 127, 255, 200}};
    const ReadResult read = DecodeBytes(MakeJpeg(Blocks(4, inks)));
    ASSERT_EQ(read.status, 1) << read.firstMessage();
    const std::vector<int> values = BlockValues(read);
    EXPECT_EQ(values[0], 255);
    EXPECT_EQ(values[1], 0);
    EXPECT_LE(std::abs(values[2] - ExpectedLuma(0, 255, 255)), 1);
    EXPECT_LE(std::abs(values[3] - ExpectedLuma(200, (127 * 200 + 127) / 255, 200)), 1);
}

}  // namespace
}  // namespace lumagrove::testing
