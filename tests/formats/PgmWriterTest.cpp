#include <sys/resource.h>

#include <csignal>
#include <filesystem>

#include <gtest/gtest.h>

#include "formats/Readers.h"
#include "support/MessageLog.h"
#include "support/TemporaryFolder.h"
#include "support/TestImages.h"

namespace lumagrove {
namespace {

using testing::MessageLog;
using testing::TemporaryFolder;
using testing::ToVector;

ImageRecord MakeRecord(std::int32_t width, std::int32_t height, const std::vector<std::uint8_t>& pixels) {
    ImageRecord record;
    record.width = width;
    record.height = height;
    record.pixels = PixelArray::CopyOf(pixels.data(), pixels.size());
    return record;
}

std::size_t FilesIn(const TemporaryFolder& folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder.path()), {}));
}

TEST(WritePgm, WritesTheHeaderThenTheRawBytes) {
    TemporaryFolder folder;
    MessageLog log;
    const std::string name = folder.file("out.pgm");
    ASSERT_EQ(WritePgm(MakeRecord(3, 2, {1, 2, 3, 4, 5, 6}), name, log.reporter()), 1);
    EXPECT_TRUE(log.messages.empty());
    EXPECT_EQ(TemporaryFolder::read(name),
              std::string("P5\n# File created by Tavrinel's Lumagrove\n3 2\n255\n\x01\x02\x03\x04\x05\x06"));
    EXPECT_EQ(FilesIn(folder), 1u);
    EXPECT_EQ(std::filesystem::status(name).permissions() & std::filesystem::perms::owner_read,
              std::filesystem::perms::owner_read);
}

TEST(WritePgm, RoundTripsEveryByteValue) {
    TemporaryFolder folder;
    MessageLog log;
    std::vector<std::uint8_t> pixels(256 * 3);
    for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint8_t>(i);
    const std::string name = folder.file("all.pgm");
    ASSERT_EQ(WritePgm(MakeRecord(256, 3, pixels), name, log.reporter()), 1);

    const std::optional<ImageRecord> back = ReadNetpbm(name, log.reporter());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->width, 256);
    EXPECT_EQ(back->height, 3);
    EXPECT_EQ(ToVector(back->pixels), pixels);  // 10 and 13 included
}

TEST(WritePgm, ReportsAFolderThatCannotTakeTheFile) {
    TemporaryFolder folder;
    const std::string notAFolder = folder.write("plain.txt", "x");
    for (const auto& [name, reason] :
         {std::pair{folder.file("no/such/folder/out.pgm"), " The folder does not exist."},
          std::pair{notAFolder + "/out.pgm", " A part of the path is not a folder."}, std::pair{std::string(), ""}}) {
        SCOPED_TRACE("name \"" + name + "\"");
        MessageLog log;
        EXPECT_EQ(WritePgm(MakeRecord(1, 1, {7}), name, log.reporter()), 0);
        ASSERT_EQ(log.messages.size(), 1u);
        EXPECT_EQ(log.messages[0].text, "File: " + name + " could not be opened for writing." + reason);
        EXPECT_EQ(log.messages[0].caption, "Error");
    }
    EXPECT_EQ(TemporaryFolder::read(notAFolder), "x");
}

TEST(WritePgm, AFailedWriteLeavesTheExistingFileIntact) {
    TemporaryFolder folder;
    const std::string name = folder.write("keep.pgm", "precious");

    // A file size limit makes the write itself fail, as a full disk would.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    rlimit small = previous;
    small.rlim_cur = 100;
    setrlimit(RLIMIT_FSIZE, &small);
    MessageLog log;
    const int result = WritePgm(MakeRecord(64, 64, std::vector<std::uint8_t>(64 * 64, 9)), name, log.reporter());
    setrlimit(RLIMIT_FSIZE, &previous);

    EXPECT_EQ(result, 0);
    ASSERT_EQ(log.messages.size(), 1u);
    EXPECT_EQ(log.messages[0].text,
              "File: " + name + " could not be written. The file would be larger than the file size limit allows.");
    EXPECT_EQ(TemporaryFolder::read(name), "precious");
    EXPECT_EQ(FilesIn(folder), 1u);  // no temporary file left behind
}

TEST(WritePgm, ATargetThatIsAFolderIsNotReplaced) {
    TemporaryFolder folder;
    const std::string name = folder.file("taken");
    std::filesystem::create_directories(name + "/inside");
    MessageLog log;
    EXPECT_EQ(WritePgm(MakeRecord(1, 1, {7}), name, log.reporter()), 0);
    ASSERT_EQ(log.messages.size(), 1u);
    EXPECT_EQ(log.messages[0].text, "File: " + name + " could not be opened for writing. It is a folder.");
    EXPECT_TRUE(std::filesystem::is_directory(name + "/inside"));
    EXPECT_EQ(FilesIn(folder), 1u);
}

}  // namespace
}  // namespace lumagrove
