#include <filesystem>
#include <sstream>

#include <gtest/gtest.h>

#include "cli/CommandLine.h"
#include "pictures/Pictures.h"
#include "support/CliRun.h"
#include "support/MessageLog.h"
#include "support/TemporaryFolder.h"

namespace lumagrove::cli {
namespace {

using testing::Cli;
using testing::CliRun;
using testing::MessageLog;
using testing::TemporaryFolder;

std::vector<std::uint8_t> PictureAt(const std::string& name) {
    MessageLog log;
    const std::optional<ImageRecord> record = ReadPicture(name, log.reporter());
    EXPECT_TRUE(record) << name;
    return record ? std::vector<std::uint8_t>(record->pixels.begin(), record->pixels.end())
                  : std::vector<std::uint8_t>();
}

std::string Bytes(const std::string& name) { return TemporaryFolder::read(name); }

TEST(PictureFiles, APhotoInAndAPngOut) {
    TemporaryFolder folder;
    const std::string photo = LUMAGROVE_SOURCE_DIR "/samples/photo.jpg";
    const std::string out = folder.file("negative.png");
    const CliRun run = Cli({"negate", photo, out});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Bytes(out).starts_with("\x89PNG"));
    std::vector<std::uint8_t> expected = PictureAt(photo);
    for (std::uint8_t& value : expected) value = static_cast<std::uint8_t>(255 - value);
    EXPECT_EQ(PictureAt(out), expected);

    // --format wins over the name; a name that is not a written picture is PGM.
    ASSERT_EQ(Cli({"negate", "--format", "tiff", photo, folder.file("negative.pgm")}).status, 0);
    EXPECT_EQ(PictureAt(folder.file("negative.pgm")), expected);
    ASSERT_EQ(Cli({"negate", photo, folder.file("negative.raw")}).status, 0);
    EXPECT_TRUE(Bytes(folder.file("negative.raw")).starts_with("P5\n"));
}

// Every picture name is written as what it says; only JPEG has a quality.
TEST(PictureFiles, EveryPictureNameIsWrittenAsItSays) {
    TemporaryFolder folder;
    const std::string photo = LUMAGROVE_SOURCE_DIR "/samples/photo.jpg";
    ASSERT_EQ(Cli({"negate", photo, folder.file("n.png")}).status, 0);
    for (const auto& [name, signature] : {std::pair{"n.jpg", "\xff\xd8\xff"}, std::pair{"n.JPEG", "\xff\xd8\xff"},
                                          std::pair{"n.webp", "RIFF"}, std::pair{"n.bmp", "BM"}}) {
        const CliRun run = Cli({"negate", photo, folder.file(name)});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_TRUE(Bytes(folder.file(name)).starts_with(signature)) << name;
    }
    EXPECT_EQ(PictureAt(folder.file("n.webp")), PictureAt(folder.file("n.png")));
    EXPECT_EQ(PictureAt(folder.file("n.bmp")), PictureAt(folder.file("n.png")));

    ASSERT_EQ(Cli({"negate", "--quality", "20", "--format", "jpg", photo, folder.file("low")}).status, 0);
    EXPECT_LT(Bytes(folder.file("low")).size(), Bytes(folder.file("n.jpg")).size());
    const CliRun notJpeg = Cli({"negate", "--quality=50", photo, folder.file("x.png")});
    EXPECT_EQ(notJpeg.status, kUsageError);
    EXPECT_TRUE(notJpeg.err.starts_with("lumagrove-cli: --quality applies to JPEG results")) << notJpeg.err;
    for (const char* quality : {"0", "101", "9x"}) {
        const CliRun outOfRange = Cli({"negate", "--quality", quality, photo, folder.file("x.jpg")});
        EXPECT_EQ(outOfRange.status, kUsageError) << quality;
    }
    EXPECT_FALSE(std::filesystem::exists(folder.file("x.png")));
}

TEST(PictureFiles, DamagedPicturesFailWithTheirMessageAndWriteNothing) {
    TemporaryFolder folder;
    int damaged = 0;
    for (const auto& seed : std::filesystem::directory_iterator(LUMAGROVE_SOURCE_DIR "/fuzz/corpus/pictures")) {
        const std::string name = seed.path().string();
        if (!seed.path().filename().string().starts_with("truncated-")) continue;
        ++damaged;
        const std::string out = folder.file("out.png");
        const CliRun run = Cli({"equalize", name, out});
        EXPECT_EQ(run.status, 1) << name;
        EXPECT_EQ(run.err, "lumagrove-cli: Error: File: " + name + " is not a picture this program can read.\n");
        EXPECT_FALSE(std::filesystem::exists(out));
    }
    EXPECT_GE(damaged, 5);
}

}  // namespace
}  // namespace lumagrove::cli
