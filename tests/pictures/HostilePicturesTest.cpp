#include <sys/stat.h>

#include <gtest/gtest.h>

#include "HostilePictures.h"
#include "PictureMaker.h"
#include "PictureTesting.h"
#include "support/EndlessFeeder.h"
#include "support/TemporaryFolder.h"

namespace lumagrove::testing {
namespace {

std::string ProgressiveJpeg(int width, int height) {
    JpegPicture picture{width, height, 3};
    picture.progressive = true;
    for (int i = 0; i < width * height * 3; ++i) picture.samples.push_back(static_cast<std::uint8_t>(i * 7 % 251));
    return MakeJpeg(picture);
}

TEST(HostilePictures, AJpegWithMoreScansThanAnyEncoderWritesIsRefused) {
    // A repeated scan is only a warning to the library, and each one passes
    // over the whole picture again.
    const std::string jpeg = ProgressiveJpeg(32, 32);
    EXPECT_EQ(DecodeBytes(JpegWithScans(jpeg, 100)).status, 1);
    EXPECT_EQ(DecodeBytes(JpegWithScans(jpeg, 101), "s.jpg").firstMessage(), NotAPictureText("s.jpg"));
}

TEST(HostilePictures, JunkBetweenJpegScansIsDamage) {
    EXPECT_EQ(DecodeBytes(JpegWithExtraneousBytes(ProgressiveJpeg(200, 150)), "j.jpg").firstMessage(),
              NotAPictureText("j.jpg"));
}

TEST(HostilePictures, TiffBlocksBeyondWhatThePictureNeeds) {
    // A 1 x 1 picture in one 65536 x 65536 tile (4 GB), and a row of 2^31 - 1
    // pixels held in one byte: both refused without filling gigabytes.
    EXPECT_EQ(DecodeBytes(TiffDeclaring(1, 1, 65536), "t.tif").firstMessage(), NotAPictureText("t.tif"));
    EXPECT_EQ(DecodeBytes(TiffDeclaring(2147483647u, 1, 0), "w.tif").firstMessage(), NotAPictureText("w.tif"));
    // Tiles overhanging a small picture are sound.
    TemporaryFolder folder;
    TiffPage page{10, 6};
    page.tileSide = 256;
    for (int i = 0; i < 60; ++i) page.samples.push_back(static_cast<std::uint16_t>(i * 4));
    const ReadResult read = DecodeBytes(MakeTiff({page}, folder.path().string()));
    ASSERT_EQ(read.status, 1);
    EXPECT_EQ(read.grey[59], 236);
}

TEST(HostilePictures, AnAnimationsFirstFrameLiesOnItsCanvas) {
    // Only the frame is decoded; the canvas around it is transparent, so white.
    const std::vector<std::uint8_t> rgba = {10, 20, 30, 255, 200, 200, 200, 255, 0, 0, 0, 0, 90, 90, 90, 255};
    const std::string frame = MakeWebp(2, 2, rgba, true);
    const ReadResult read = DecodeBytes(AnimationOnCanvas(6, 5, 2, 2, 2, 2, frame));
    ASSERT_EQ(read.status, 1);
    ASSERT_EQ(read.width, 6);
    ASSERT_EQ(read.height, 5);
    std::vector<std::uint8_t> expected(30, 255);
    expected[2 * 6 + 2] = ExpectedLuma(10, 20, 30);
    expected[2 * 6 + 3] = 200;
    expected[3 * 6 + 3] = 90;
    EXPECT_EQ(read.grey, expected);
}

TEST(HostilePictures, AWideBitFieldMaskKeepsItsRange) {
    // 255 times a 32-bit mask does not fit in 32 bits.
    const ReadResult read = DecodeBytes(BmpWithMasks(0xffffffff, 0xffffffff, 0, 0));
    ASSERT_EQ(read.status, 1);
    EXPECT_EQ(read.grey[0], ExpectedLuma(255, 0, 0));
}

TEST(HostilePictures, AnEndlessStreamIsReadOnlyAsFarAsItsHeaderDeclares) {
    TemporaryFolder folder;
    // Zeros announce no picture: the first bytes are all that is read.
    const std::string zeros = folder.file("z.png");
    ASSERT_EQ(mkfifo(zeros.c_str(), 0600), 0);
    {
        const EndlessFeeder feeder(zeros, "");
        EXPECT_EQ(ReadFile(zeros).firstMessage(), NotAPictureText(zeros));
    }
    // A 1 x 1 PNG header: no more than its pixels and room for metadata.
    const std::string png = folder.file("p.png");
    ASSERT_EQ(mkfifo(png.c_str(), 0600), 0);
    PngPicture picture{1, 1, 0, 8};
    picture.samples = {7};
    const std::string sound = MakePng(picture);
    {
        const EndlessFeeder feeder(png, sound.substr(0, 33));  // the signature and the header chunk
        EXPECT_EQ(ReadFile(png).firstMessage(), NotAPictureText(png));
        EXPECT_LT(feeder.fed(), std::uint64_t{64} << 20);
    }
}

}  // namespace
}  // namespace lumagrove::testing
