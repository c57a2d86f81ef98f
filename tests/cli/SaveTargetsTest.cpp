#include <sys/stat.h>

#include <filesystem>
#include <sstream>

#include <gtest/gtest.h>

#include "cli/CommandLine.h"
#include "formats/Readers.h"
#include "support/CliRun.h"
#include "support/FifoReader.h"
#include "support/MessageLog.h"
#include "support/TemporaryFolder.h"

namespace lumagrove::cli {
namespace {

namespace fs = std::filesystem;
using testing::Cli;
using testing::CliRun;
using testing::FifoReader;
using testing::MessageLog;
using testing::TemporaryFolder;

constexpr char kNegatedFile[] = "P5\n# File created by Tavrinel's Lumagrove\n3 1\n255\n\xff\x9b\x37";

// negate of a 3 x 1 image holding 0, 100 and 200, saved to `output`.
CliRun Negate(const TemporaryFolder& folder, const std::string& output) {
    ImageRecord record;
    record.width = 3;
    record.height = 1;
    const std::uint8_t pixels[] = {0, 100, 200};
    record.pixels = PixelArray::CopyOf(pixels, sizeof pixels);
    MessageLog log;
    EXPECT_EQ(WritePgm(record, folder.file("in.pgm"), log.reporter()), 1);

    return Cli({"negate", folder.file("in.pgm"), output});
}

// What `lumagrove-cli negate in.pgm /dev/stdout | next` does, on a FIFO of our own.
TEST(CommandLineSaving, StreamsIntoAFifoAndLeavesItAFifo) {
    TemporaryFolder folder;
    const std::string fifo = folder.file("next");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    FifoReader next(fifo);
    const CliRun run = Negate(folder, fifo);
    EXPECT_EQ(run.status, kDone) << run.err;
    EXPECT_EQ(next.Finish(), kNegatedFile);
    EXPECT_TRUE(fs::is_fifo(fifo));
}

TEST(CommandLineSaving, WritesThroughALinkIntoAPrivateFile) {
    TemporaryFolder folder;
    const std::string real = folder.write("private.pgm", "old");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("private.pgm", folder.file("link.pgm"));

    const CliRun run = Negate(folder, folder.file("link.pgm"));
    EXPECT_EQ(run.status, kDone) << run.err;
    EXPECT_TRUE(fs::is_symlink(folder.file("link.pgm")));
    EXPECT_EQ(TemporaryFolder::read(real), kNegatedFile);
    EXPECT_EQ(fs::status(real).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

TEST(CommandLineSaving, RefusesAFolderAsItsOutput) {
    TemporaryFolder folder;
    fs::create_directories(folder.file("out"));
    const CliRun run = Negate(folder, folder.file("out"));
    EXPECT_EQ(run.status, kFailed);
    EXPECT_NE(run.err.find("File: " + folder.file("out") + " could not be opened for writing."), std::string::npos)
        << run.err;
    EXPECT_TRUE(fs::is_directory(folder.file("out")));
}

}  // namespace
}  // namespace lumagrove::cli
