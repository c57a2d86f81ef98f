#include <tiffio.h>

#include <cstdlib>
#include <random>

#include <gtest/gtest.h>

#include "PictureMaker.h"
#include "PictureTesting.h"
#include "support/TemporaryFolder.h"

namespace lumagrove::testing {
namespace {

std::vector<std::uint16_t> RandomSamples(std::size_t count, int bits, std::uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<std::uint16_t> samples(count);
    for (auto& s : samples) s = static_cast<std::uint16_t>(random() & ((1u << bits) - 1));
    return samples;
}

int Eight(int v, int bits) { return bits == 16 ? ExpectedFromSixteen(v) : v * 255 / ((1 << bits) - 1); }

struct TiffCase {
    std::string label;
    int bits;
    int samplesPerPixel;
    int photometric;
    int extraSample = -1;
    bool planes = false;
    int tileSide = 0;
    int compression = COMPRESSION_NONE;
};

std::uint8_t ExpectedGrey(const TiffCase& c, const std::uint16_t* s) {
    const auto e = [&c](int v) { return Eight(v, c.bits); };
    const bool rgb = c.photometric == PHOTOMETRIC_RGB;
    const int colour = rgb ? 3 : 1;
    int channel[3];
    for (int i = 0; i < colour; ++i) {
        channel[i] = e(c.photometric == PHOTOMETRIC_MINISWHITE ? ((1 << c.bits) - 1) - s[i] : s[i]);
    }
    if (c.extraSample == EXTRASAMPLE_UNASSALPHA || c.extraSample == EXTRASAMPLE_ASSOCALPHA) {
        const int a = e(s[colour]);
        for (int i = 0; i < colour; ++i) {
            channel[i] = c.extraSample == EXTRASAMPLE_UNASSALPHA ? ExpectedOverWhite(channel[i], a)
                                                                 : std::min(255, channel[i] + 255 - a);
        }
    }
    return rgb ? ExpectedLuma(channel[0], channel[1], channel[2]) : static_cast<std::uint8_t>(channel[0]);
}

TEST(TiffReading, SampleLayoutsFollowTheConversionRules) {
    const std::vector<TiffCase> cases = {
        {"grey 8", 8, 1, PHOTOMETRIC_MINISBLACK},
        {"grey 16", 16, 1, PHOTOMETRIC_MINISBLACK},
        {"grey 4, LZW", 4, 1, PHOTOMETRIC_MINISBLACK, -1, false, 0, COMPRESSION_LZW},
        {"white is zero, 1 bit", 1, 1, PHOTOMETRIC_MINISWHITE},
        {"white is zero, 8 bits, deflate", 8, 1, PHOTOMETRIC_MINISWHITE, -1, false, 0, COMPRESSION_ADOBE_DEFLATE},
        {"grey + alpha", 8, 2, PHOTOMETRIC_MINISBLACK, EXTRASAMPLE_UNASSALPHA},
        {"rgb 8", 8, 3, PHOTOMETRIC_RGB},
        {"rgb 16 in planes", 16, 3, PHOTOMETRIC_RGB, -1, true},
        {"rgb 8 in tiles", 8, 3, PHOTOMETRIC_RGB, -1, false, 16},
        {"rgba 8 in planes and tiles", 8, 4, PHOTOMETRIC_RGB, EXTRASAMPLE_UNASSALPHA, true, 16, COMPRESSION_LZW},
        {"rgba 16", 16, 4, PHOTOMETRIC_RGB, EXTRASAMPLE_UNASSALPHA},
        {"premultiplied rgba", 8, 4, PHOTOMETRIC_RGB, EXTRASAMPLE_ASSOCALPHA},
        {"rgb + an unspecified sample", 8, 4, PHOTOMETRIC_RGB, EXTRASAMPLE_UNSPECIFIED},
    };
    TemporaryFolder folder;
    for (const TiffCase& c : cases) {
        SCOPED_TRACE(c.label);
        TiffPage page{37, 23, c.bits, c.samplesPerPixel, c.photometric, c.planes, c.extraSample};
        page.tileSide = c.tileSide;
        page.compression = c.compression;
        page.samples = RandomSamples(37 * 23 * static_cast<std::size_t>(c.samplesPerPixel), c.bits,
                                     c.bits * 10 + c.samplesPerPixel);
        const ReadResult read = DecodeBytes(MakeTiff({page}, folder.path().string()));
        ASSERT_EQ(read.status, 1) << read.firstMessage();
        ASSERT_EQ(read.width, 37);
        ASSERT_EQ(read.height, 23);
        for (std::size_t i = 0; i < read.grey.size(); ++i) {
            ASSERT_EQ(read.grey[i], ExpectedGrey(c, &page.samples[i * c.samplesPerPixel])) << "pixel " << i;
        }
    }
}

TEST(TiffReading, PalettesOfSixteenAndOfEightBitEntries) {
    TemporaryFolder folder;
    TiffPage page{4, 1, 8, 1, PHOTOMETRIC_PALETTE};
    page.samples = {0, 1, 2, 3};
    page.red.assign(256, 0), page.green.assign(256, 0), page.blue.assign(256, 0);
    page.red[0] = 65535;
    page.green[1] = 100 << 8;  // written as v << 8 rather than v * 257: still 100
    page.blue[2] = 32896;      // 128 * 257
    page.red[3] = page.green[3] = page.blue[3] = 40000;
    const ReadResult sixteen = DecodeBytes(MakeTiff({page}, folder.path().string()));
    ASSERT_EQ(sixteen.status, 1) << sixteen.firstMessage();
    const int grey3 = ExpectedFromSixteen(40000);
    EXPECT_EQ(sixteen.grey, (std::vector<std::uint8_t>{ExpectedLuma(255, 0, 0), ExpectedLuma(0, 100, 0),
                                                       ExpectedLuma(0, 0, 128), ExpectedLuma(grey3, grey3, grey3)}));

    // Some writers put 8-bit values in the 16-bit entries.
    page.red.assign(256, 0), page.green.assign(256, 0), page.blue.assign(256, 0);
    page.red[0] = 255, page.green[1] = 100, page.blue[2] = 128, page.red[3] = page.green[3] = page.blue[3] = 77;
    const ReadResult eight = DecodeBytes(MakeTiff({page}, folder.path().string()));
    EXPECT_EQ(eight.grey, (std::vector<std::uint8_t>{ExpectedLuma(255, 0, 0), ExpectedLuma(0, 100, 0),
                                                     ExpectedLuma(0, 0, 128), 77}));
}

TEST(TiffReading, TheFirstPageOfSeveral) {
    TemporaryFolder folder;
    TiffPage first{2, 2};
    first.samples = {1, 2, 3, 4};
    TiffPage second{3, 1, 16, 3, PHOTOMETRIC_RGB};
    second.samples = std::vector<std::uint16_t>(9, 60000);
    const ReadResult read = DecodeBytes(MakeTiff({first, second}, folder.path().string()));
    ASSERT_EQ(read.status, 1);
    EXPECT_EQ(read.width, 2);
    EXPECT_EQ(read.grey, (std::vector<std::uint8_t>{1, 2, 3, 4}));
}

TEST(TiffReading, OtherColourModelsGoThroughTheLibrarysConversion) {
    // CMYK: light = (255 - ink) * (255 - black) / 255 before the luma.
    TemporaryFolder folder;
    TiffPage page{3, 1, 8, 4, PHOTOMETRIC_SEPARATED};
    page.samples = {0, 0, 0, 0, 255, 0, 0, 0, 0, 0, 0, 255};
    const ReadResult read = DecodeBytes(MakeTiff({page}, folder.path().string()));
    ASSERT_EQ(read.status, 1) << read.firstMessage();
    ASSERT_EQ(read.grey.size(), 3u);
    EXPECT_EQ(read.grey[0], 255);
    EXPECT_LE(std::abs(read.grey[1] - ExpectedLuma(0, 255, 255)), 1);
    EXPECT_EQ(read.grey[2], 0);
}

}  // namespace
}  // namespace lumagrove::testing
