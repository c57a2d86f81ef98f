#include <gtest/gtest.h>

#include "PictureTesting.h"

namespace lumagrove::testing {
namespace {

void Put16(std::string& out, unsigned v) { out += {static_cast<char>(v & 0xff), static_cast<char>(v >> 8 & 0xff)}; }
void Put32(std::string& out, unsigned v) {
    Put16(out, v & 0xffff);
    Put16(out, v >> 16);
}

// A BMP file built byte by byte: the headers, then any masks, the palette
// (0x00RRGGBB entries) and the pixel bytes as given.
struct Bmp {
    Bmp(unsigned headerSize, int width, int height, unsigned bits, unsigned compression = 0)
        : headerSize(headerSize), width(width), height(height), bits(bits), compression(compression) {}
    unsigned headerSize = 40;
    int width = 0;
    int height = 0;
    unsigned bits = 24;
    unsigned compression = 0;
    std::vector<unsigned> masks;  // after a 40-byte header, or inside a larger one
    std::vector<unsigned> palette;
    std::string pixels;

    std::string bytes() const {
        std::string dib;
        Put32(dib, headerSize);
        if (headerSize == 12) {
            Put16(dib, static_cast<unsigned>(width));
            Put16(dib, static_cast<unsigned>(height));
            Put16(dib, 1);
            Put16(dib, bits);
        } else {
            Put32(dib, static_cast<unsigned>(width));
            Put32(dib, static_cast<unsigned>(height));
            Put16(dib, 1);
            Put16(dib, bits);
            Put32(dib, compression);
            Put32(dib, static_cast<unsigned>(pixels.size()));
            Put32(dib, 2835);
            Put32(dib, 2835);
            Put32(dib, static_cast<unsigned>(palette.size()));
            Put32(dib, 0);
            for (unsigned mask : masks) Put32(dib, mask);
            dib.resize(std::max<std::size_t>(dib.size(), headerSize), '\0');
        }
        for (unsigned entry : palette) {
            if (headerSize == 12) {
                dib += {static_cast<char>(entry & 0xff), static_cast<char>(entry >> 8 & 0xff),
                        static_cast<char>(entry >> 16)};
            } else {
                Put32(dib, entry);
            }
        }
        std::string file = "BM";
        Put32(file, static_cast<unsigned>(14 + dib.size() + pixels.size()));
        Put32(file, 0);
        Put32(file, static_cast<unsigned>(14 + dib.size()));
        return file + dib + pixels;
    }
};

std::string Row(std::initializer_list<int> bytes) {
    std::string row;
    for (int b : bytes) row += static_cast<char>(b);
    return row;
}

TEST(BmpReading, TwentyFourBitRowsAreStoredBottomFirstAndPadded) {
    Bmp bmp{40, 3, 2, 24};
    // Blue, green, red; each row padded to 12 bytes.
    bmp.pixels = Row({0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0}) + Row({10, 20, 30, 1, 2, 3, 90, 90, 90, 0, 0, 0});
    const ReadResult read = DecodeBytes(bmp.bytes());
    ASSERT_EQ(read.status, 1) << read.firstMessage();
    EXPECT_EQ(read.grey,
              (std::vector<std::uint8_t>{ExpectedLuma(30, 20, 10), ExpectedLuma(3, 2, 1), 90, ExpectedLuma(255, 0, 0),
                                         ExpectedLuma(0, 255, 0), ExpectedLuma(0, 0, 255)}));
}

TEST(BmpReading, PalettesOfOneFourAndEightBits) {
    Bmp eight{40, 2, -2, 8};  // negative height: top row first
    eight.palette = {0x000000, 0xff0000, 0x0000ff};
    eight.pixels = Row({1, 2, 0, 0}) + Row({0, 1, 0, 0});
    EXPECT_EQ(
        DecodeBytes(eight.bytes()).grey,
        (std::vector<std::uint8_t>{ExpectedLuma(255, 0, 0), ExpectedLuma(0, 0, 255), 0, ExpectedLuma(255, 0, 0)}));

    Bmp four{40, 3, 1, 4};
    four.palette = {0x101010, 0x202020, 0x303030};
    four.pixels = Row({0x21, 0x00, 0, 0});
    EXPECT_EQ(DecodeBytes(four.bytes()).grey, (std::vector<std::uint8_t>{0x30, 0x20, 0x10}));

    Bmp one{12, 10, 1, 1};  // the old core header with three-byte entries
    one.palette = {0x000000, 0xffffff};
    one.pixels = Row({0xa5, 0x40, 0, 0});
    EXPECT_EQ(DecodeBytes(one.bytes()).grey, (std::vector<std::uint8_t>{255, 0, 255, 0, 0, 255, 0, 255, 0, 255}));
}

TEST(BmpReading, SixteenAndThirtyTwoBitPixelsWithAndWithoutMasks) {
    Bmp plain16{40, 2, 1, 16};  // 5-5-5
    plain16.pixels = Row({0x00, 0x7c, 0x1f, 0x00});
    EXPECT_EQ(DecodeBytes(plain16.bytes()).grey,
              (std::vector<std::uint8_t>{ExpectedLuma(255, 0, 0), ExpectedLuma(0, 0, 255)}));

    Bmp masked16{40, 2, 1, 16, 3};  // 5-6-5 masks after the header
    masked16.masks = {0xf800, 0x07e0, 0x001f};
    masked16.pixels = Row({0xe0, 0x07, 0x20, 0x00});  // full green; green 1 of 63
    EXPECT_EQ(DecodeBytes(masked16.bytes()).grey,
              (std::vector<std::uint8_t>{ExpectedLuma(0, 255, 0), ExpectedLuma(0, 4, 0)}));

    Bmp plain32{40, 1, 1, 32};  // the fourth byte means nothing without masks
    plain32.pixels = Row({30, 20, 10, 0});
    EXPECT_EQ(DecodeBytes(plain32.bytes()).grey, (std::vector<std::uint8_t>{ExpectedLuma(10, 20, 30)}));

    Bmp alpha32{124, 2, 1, 32, 3};  // a V5 header whose alpha mask brings transparency
    alpha32.masks = {0x00ff0000, 0x0000ff00, 0x000000ff, 0xff000000};
    alpha32.pixels = Row({0, 0, 0, 0, 0, 0, 200, 128});
    const int red = ExpectedOverWhite(200, 128), other = ExpectedOverWhite(0, 128);
    EXPECT_EQ(DecodeBytes(alpha32.bytes()).grey, (std::vector<std::uint8_t>{255, ExpectedLuma(red, other, other)}));
}

TEST(BmpReading, RunLengthCodes) {
    Bmp rle8{40, 4, 3, 8, 1};
    rle8.palette = {0x000000, 0x404040, 0x808080, 0xc0c0c0};
    // Bottom row: a run of three 1s then EOL; middle row: absolute 2,3,1
    // (padded), EOL; top row: a step of one to the right and a single 2; end.
    rle8.pixels = Row({3, 1, 0, 0, 0, 3, 2, 3, 1, 0, 0, 0, 0, 2, 1, 0, 1, 2, 0, 1});
    const ReadResult read = DecodeBytes(rle8.bytes());
    ASSERT_EQ(read.status, 1) << read.firstMessage();
    EXPECT_EQ(read.grey, (std::vector<std::uint8_t>{0, 0x80, 0, 0, 0x80, 0xc0, 0x40, 0, 0x40, 0x40, 0x40, 0}));

    Bmp rle4{40, 5, 1, 4, 2};
    rle4.palette = {0x000000, 0x111111, 0x222222};
    rle4.pixels = Row({3, 0x12, 0, 3, 0x21, 0x20, 0, 1});
    const ReadResult four = DecodeBytes(rle4.bytes());
    ASSERT_EQ(four.status, 1) << four.firstMessage();
    EXPECT_EQ(four.grey, (std::vector<std::uint8_t>{0x11, 0x22, 0x11, 0x22, 0x11}));
}

TEST(BmpReading, RefusesWhatItCannotRead) {
    Bmp jpeg{40, 1, 1, 24, 4};  // an embedded JPEG
    jpeg.pixels = Row({1, 2, 3, 0});
    Bmp shortRows{40, 3, 2, 24};
    shortRows.pixels = Row({0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0}) + Row({10, 20, 30});
    Bmp noWidth{40, 0, 2, 24};
    Bmp rleCut{40, 4, 1, 8, 1};
    rleCut.palette = {0};
    rleCut.pixels = Row({0, 5, 1, 2});  // an absolute run of 5 with 2 bytes left
    for (const Bmp& bmp : {jpeg, shortRows, noWidth, rleCut}) {
        const ReadResult read = DecodeBytes(bmp.bytes(), "x.bmp");
        EXPECT_EQ(read.status, 0);
        EXPECT_EQ(read.firstMessage(), NotAPictureText("x.bmp"));
    }
}

}  // namespace
}  // namespace lumagrove::testing
