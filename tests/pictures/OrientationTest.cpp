#include <png.h>
#include <tiffio.h>

#include <gtest/gtest.h>

#include "PictureMaker.h"
#include "PictureTesting.h"
#include "support/TemporaryFolder.h"

namespace lumagrove::testing {
namespace {

// The picture as stored is always
//   1 2 3
//   4 5 6
// and each orientation value shows it as a viewer would.
struct Shown {
    int orientation;
    int width;
    std::vector<std::uint8_t> pixels;
};

const std::vector<Shown>& ShownPictures() {
    static const std::vector<Shown> shown = {
        {1, 3, {1, 2, 3, 4, 5, 6}},  // as stored
        {2, 3, {3, 2, 1, 6, 5, 4}},  // mirrored left-right
        {3, 3, {6, 5, 4, 3, 2, 1}},  // turned half round
        {4, 3, {4, 5, 6, 1, 2, 3}},  // mirrored top-bottom
        {5, 2, {1, 4, 2, 5, 3, 6}},  // transposed
        {6, 2, {4, 1, 5, 2, 6, 3}},  // a quarter turn clockwise
        {7, 2, {6, 3, 5, 2, 4, 1}},  // transposed the other way
        {8, 2, {3, 6, 2, 5, 1, 4}},  // a quarter turn anticlockwise
    };
    return shown;
}

void ExpectShown(const ReadResult& read, const Shown& shown) {
    ASSERT_EQ(read.status, 1) << read.firstMessage();
    EXPECT_EQ(read.width, shown.width);
    EXPECT_EQ(read.height, 6 / shown.width);
    EXPECT_EQ(read.grey, shown.pixels);
}

TEST(Orientation, PngExifChunkBeforeOrAfterThePixelsInEitherByteOrder) {
    for (const Shown& shown : ShownPictures()) {
        for (bool bigEndian : {false, true}) {
            for (bool after : {false, true}) {
                SCOPED_TRACE("orientation " + std::to_string(shown.orientation) + (bigEndian ? " MM" : " II") +
                             (after ? " after the pixels" : ""));
                PngPicture picture{3, 2, PNG_COLOR_TYPE_GRAY, 8};
                picture.samples = {1, 2, 3, 4, 5, 6};
                picture.exif = ExifWithOrientation(shown.orientation, bigEndian);
                picture.exifAfterPixels = after;
                ExpectShown(DecodeBytes(MakePng(picture)), shown);
            }
        }
    }
}

TEST(Orientation, JpegExifSegment) {
    // Blocks of 8 x 8 equal values survive JPEG at quality 100 exactly.
    for (const Shown& shown : ShownPictures()) {
        SCOPED_TRACE("orientation " + std::to_string(shown.orientation));
        JpegPicture picture{24, 16, 1};
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 24; ++x)
                picture.samples.push_back(static_cast<std::uint8_t>(40 * (1 + x / 8 + 3 * (y / 8))));
        }
        picture.exif = ExifWithOrientation(shown.orientation, shown.orientation % 2 == 0);
        const ReadResult read = DecodeBytes(MakeJpeg(picture));
        ASSERT_EQ(read.status, 1) << read.firstMessage();
        ASSERT_EQ(read.width, shown.width * 8);
        std::vector<std::uint8_t> blocks;
        for (int by = 0; by < 6 / shown.width; ++by) {
            for (int bx = 0; bx < shown.width; ++bx)
                blocks.push_back(read.grey[(by * 8 + 4) * read.width + bx * 8 + 4] / 40);
        }
        EXPECT_EQ(blocks, shown.pixels);
    }
}

TEST(Orientation, TiffOrientationTag) {
    TemporaryFolder folder;
    for (const Shown& shown : ShownPictures()) {
        SCOPED_TRACE("orientation " + std::to_string(shown.orientation));
        TiffPage page{3, 2};
        page.samples = {1, 2, 3, 4, 5, 6};
        page.orientation = shown.orientation;
        ExpectShown(DecodeBytes(MakeTiff({page}, folder.path().string())), shown);
    }
}

TEST(Orientation, DamagedOrOddExifLeavesThePictureAsStored) {
    const std::string good = ExifWithOrientation(6, false);
    const std::vector<std::string> blocks = {
        "II",
        good.substr(0, 20),             // the entry cut off
        ExifWithOrientation(9, false),  // no such orientation
        ExifWithOrientation(0, true),
        std::string("XX") + good.substr(2),                       // no byte order
        good.substr(0, 4) + "\xff\xff\xff\x7f" + good.substr(8),  // directory far past the end
    };
    for (const std::string& block : blocks) {
        PngPicture picture{3, 2, PNG_COLOR_TYPE_GRAY, 8};
        picture.samples = {1, 2, 3, 4, 5, 6};
        picture.exif = block;
        const ReadResult read = DecodeBytes(MakePng(picture));
        ASSERT_EQ(read.status, 1);
        EXPECT_EQ(read.grey, (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6}));
    }
}

}  // namespace
}  // namespace lumagrove::testing
