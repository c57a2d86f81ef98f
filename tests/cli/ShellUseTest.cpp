// The tool as a shell runs it: a separate process whose standard streams are
// pipes or a terminal.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/CommandLine.h"
#include "formats/Readers.h"
#include "support/ChildProcess.h"
#include "support/MessageLog.h"
#include "support/TemporaryFolder.h"
#include "support/TestImages.h"

namespace lumagrove::cli {
namespace {

using testing::MessageLog;
using testing::ProgramRun;
using testing::TemporaryFolder;

ProgramRun Cli(const std::vector<std::string>& arguments, std::string_view input = {},
               std::size_t outputLimit = std::numeric_limits<std::size_t>::max()) {
    return testing::RunProgram(LUMAGROVE_CLI, arguments, input, outputLimit);
}

// A random image saved as binary PGM; returns its file name.
std::string SaveNoise(const TemporaryFolder& folder, const std::string& name, int width, int height,
                      std::uint32_t seed) {
    const ImageRecord record = testing::RecordOf(testing::RandomImage(width, height, seed));
    MessageLog log;
    EXPECT_EQ(WritePgm(record, folder.file(name), log.reporter()), 1);
    return folder.file(name);
}

// What the tool writes to a file for these words (in this process).
std::string FileResult(std::vector<std::string> words, const std::string& output) {
    words.push_back(output);
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunCommandLine(words, out, err), kDone) << err.str();
    return TemporaryFolder::read(output);
}

// "cat scan.pgm | lumagrove-cli negate - - | lumagrove-cli equalize - out.pgm",
// at a size that fills the pipes many times over in both directions.
TEST(ShellUse, ImagesGoThroughPipesInBothDirections) {
    TemporaryFolder folder;
    const std::string scan = SaveNoise(folder, "scan.pgm", 3000, 2000, 1);
    const std::string negated = FileResult({"negate", scan}, folder.file("negated.pgm"));

    const ProgramRun first = Cli({"negate", "-", "-"}, TemporaryFolder::read(scan));
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.err, "");
    EXPECT_TRUE(first.out == negated) << first.out.size() << " bytes";

    const ProgramRun second = Cli({"equalize", "-", folder.file("out.pgm")}, first.out);
    EXPECT_EQ(second.status, 0) << second.err;
    EXPECT_TRUE(TemporaryFolder::read(folder.file("out.pgm")) ==
                FileResult({"equalize", folder.file("negated.pgm")}, folder.file("expected.pgm")));

    // Plain (P2) content is told by its content too.
    const ProgramRun plain = Cli({"negate", "-", "-"}, "P2\n3 1\n255\n0 100 200\n");
    EXPECT_EQ(plain.status, 0) << plain.err;
    constexpr char kNegated[] = "P5\n# File created by Tavrinel's Lumagrove\n3 1\n255\n\xff\x9b\x37";
    EXPECT_EQ(plain.out, std::string(kNegated, sizeof kNegated - 1));
}

// Pictures on standard input are told by their signature, and --format
// sends one out: "cat photo.jpg | lumagrove-cli equalize - - | ...".
TEST(ShellUse, PicturesGoThroughPipes) {
    TemporaryFolder folder;
    for (const std::string sample : {"colour.png", "photo.jpg"}) {
        const std::string file = std::string(LUMAGROVE_SOURCE_DIR) + "/samples/" + sample;
        const ProgramRun piped = Cli({"negate", "-", "-"}, TemporaryFolder::read(file));
        EXPECT_EQ(piped.status, 0) << piped.err;
        EXPECT_TRUE(piped.out == FileResult({"negate", file}, folder.file("negated.pgm"))) << sample;
    }
    const std::string colour = std::string(LUMAGROVE_SOURCE_DIR) + "/samples/colour.png";
    const ProgramRun png = Cli({"negate", "--format", "png", "-", "-"}, TemporaryFolder::read(colour));
    EXPECT_EQ(png.status, 0) << png.err;
    EXPECT_TRUE(png.out.starts_with("\x89PNG\r\n\x1a\n"));
    // Negated twice, the PNG in between losing nothing: the grey picture again.
    const ProgramRun twice = Cli({"negate", "-", "-"}, png.out);
    EXPECT_EQ(twice.status, 0) << twice.err;
    FileResult({"negate", colour}, folder.file("once.pgm"));
    EXPECT_TRUE(twice.out == FileResult({"negate", folder.file("once.pgm")}, folder.file("twice.pgm")));
}

TEST(ShellUse, StandardInputMustSayWhatItHolds) {
    for (const std::string& content :
         std::vector<std::string>{"hello\n", "", "P8\n1 1\n255\nabc", std::string(640 * 480, '\x10')}) {
        const ProgramRun run = Cli({"negate", "-", "-"}, content);
        EXPECT_EQ(run.status, 1) << content.size();
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err,
                  "lumagrove-cli: Error: File: standard input is not an image this program can read from its content "
                  "(PNG, JPEG, TIFF, BMP, WebP, netpbm).\n");
    }
    // A gray map whose header is broken is the gray map reader's to explain.
    const ProgramRun broken = Cli({"negate", "-", "-"}, "P5\nwide\n");
    EXPECT_EQ(broken.status, 1);
    EXPECT_EQ(broken.err, "lumagrove-cli: Error: File: standard input has no valid image size.\n");
}

// "lumagrove-cli negate - - <big.pgm | head -c 100": the write fails, and the
// tool says so and exits instead of being killed half-way.
TEST(ShellUse, AReaderThatLeavesEarlyEndsTheWriteNotTheTool) {
    TemporaryFolder folder;
    const std::string scan = SaveNoise(folder, "scan.pgm", 2000, 2000, 2);
    const ProgramRun run = Cli({"negate", "-", "-"}, TemporaryFolder::read(scan), 100);
    EXPECT_EQ(run.signal, 0);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "lumagrove-cli: Error: File: standard output could not be written.\n");
}

// Past a file size limit (ulimit -f) the save fails with its reason and the
// file is kept, instead of the kernel ending the tool without a word.
TEST(ShellUse, AFileSizeLimitIsAFailedSaveNotAKilledTool) {
    TemporaryFolder folder;
    const std::string input = SaveNoise(folder, "in.pgm", 100, 100, 3);
    const std::string target = folder.write("keep.pgm", "precious");
    const ProgramRun run = testing::RunProgram(
        "/bin/sh", {"-c", "ulimit -f 2 && exec \"$0\" \"$@\"", LUMAGROVE_CLI, "negate", input, target});
    EXPECT_EQ(run.signal, 0);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "lumagrove-cli: Error: File: " + target +
                           " could not be written. The file would be larger than the file size limit allows.\n");
    EXPECT_EQ(TemporaryFolder::read(target), "precious");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 2);
}

TEST(ShellUse, AnImageIsNotSentToATerminal) {
    TemporaryFolder folder;
    const std::string scan = SaveNoise(folder, "scan.pgm", 4, 4, 3);
    const ProgramRun run = testing::RunOnTerminal(LUMAGROVE_CLI, {"negate", scan, "-"}, 80);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "lumagrove-cli: standard output is a terminal; send the image to a file or a pipe\r\n");
}

// The progress line is drawn on a terminal only; a log or a pipe gets the
// messages and the summary and nothing else.
TEST(ShellUse, BatchProgressShowsOnATerminalOnly) {
    TemporaryFolder folder;
    std::vector<std::string> words = {"gaussian", "--out-dir", folder.file("out"), "--jobs", "2"};
    for (int i = 0; i < 4; ++i) words.push_back(SaveNoise(folder, "in" + std::to_string(i) + ".pgm", 300, 200, 10 + i));
    words.push_back(folder.file("missing.pgm"));

    const ProgramRun terminal = testing::RunOnTerminal(LUMAGROVE_CLI, words, 200);
    EXPECT_EQ(terminal.status, 1);
    EXPECT_NE(terminal.out.find("\r\033[Klumagrove-cli: [5/5] 0:0"), std::string::npos) << terminal.out;
    EXPECT_NE(terminal.out.find("\r\033[Klumagrove-cli: [0/5] 0:00 " + folder.path().string()), std::string::npos)
        << terminal.out;
    // The message and the summary each stand on a line of their own.
    EXPECT_NE(terminal.out.find("\r\033[Klumagrove-cli: " + folder.file("missing.pgm") + ": Error: File: " +
                                folder.file("missing.pgm") + " could not be opened for reading.\r\n"),
              std::string::npos)
        << terminal.out;
    EXPECT_NE(terminal.out.find("\r\033[Klumagrove-cli: Batch done: 4 of 5 files written, 1 failed, in 0:0"),
              std::string::npos)
        << terminal.out;
    EXPECT_TRUE(terminal.out.ends_with("\r\n")) << terminal.out;

    const ProgramRun piped = Cli(words);
    EXPECT_EQ(piped.status, 1);
    EXPECT_EQ(piped.out, "");
    EXPECT_EQ(piped.err.find_first_of("\r\033"), std::string::npos) << piped.err;
    EXPECT_TRUE(piped.err.starts_with("lumagrove-cli: " + folder.file("missing.pgm") + ": Error: File: ")) << piped.err;
    EXPECT_NE(piped.err.find("\nlumagrove-cli: Batch done: 4 of 5 files written, 1 failed, in 0:0"), std::string::npos)
        << piped.err;
}

}  // namespace
}  // namespace lumagrove::cli
