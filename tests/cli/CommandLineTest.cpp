#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <regex>
#include <sstream>

#include <gtest/gtest.h>

#include "cli/CommandLine.h"
#include "formats/Readers.h"
#include "operations/OperationTable.h"
#include "support/CliRun.h"
#include "support/MessageLog.h"
#include "support/TemporaryFolder.h"

namespace lumagrove::cli {
namespace {

using testing::Cli;
using testing::CliRun;
using testing::MessageLog;
using testing::TemporaryFolder;

std::string WriteImage(const TemporaryFolder& folder, const std::string& name, int width, int height,
                       const std::vector<std::uint8_t>& pixels) {
    ImageRecord record;
    record.width = width;
    record.height = height;
    record.pixels = PixelArray::CopyOf(pixels.data(), pixels.size());
    MessageLog log;
    EXPECT_EQ(WritePgm(record, folder.file(name), log.reporter()), 1);
    return folder.file(name);
}

std::vector<std::uint8_t> ReadImage(const std::string& name) {
    MessageLog log;
    const std::optional<ImageRecord> record = ReadNetpbm(name, log.reporter());
    EXPECT_TRUE(record) << name;
    return record ? std::vector<std::uint8_t>(record->pixels.begin(), record->pixels.end())
                  : std::vector<std::uint8_t>();
}

TEST(CommandLine, NegateAndBinarizeWriteTheirResults) {
    TemporaryFolder folder;
    const std::string input = WriteImage(folder, "in.pgm", 3, 1, {0, 100, 200});

    const CliRun negate = Cli({"negate", input, folder.file("neg.pgm")});
    EXPECT_EQ(negate.status, 0) << negate.err;
    EXPECT_EQ(ReadImage(folder.file("neg.pgm")), (std::vector<std::uint8_t>{255, 155, 55}));

    EXPECT_EQ(Cli({"binarize", input, folder.file("b150.pgm")}).status, 0);
    EXPECT_EQ(ReadImage(folder.file("b150.pgm")), (std::vector<std::uint8_t>{0, 0, 255}));
    EXPECT_EQ(Cli({"binarize", "--threshold", "99", input, folder.file("b99.pgm")}).status, 0);
    EXPECT_EQ(ReadImage(folder.file("b99.pgm")), (std::vector<std::uint8_t>{0, 255, 255}));
    EXPECT_EQ(Cli({"binarize", input, "--threshold=-1", folder.file("all.pgm")}).status, 0);
    EXPECT_EQ(ReadImage(folder.file("all.pgm")), (std::vector<std::uint8_t>{255, 255, 255}));
}

TEST(CommandLine, TimeReportsTheOperation) {
    TemporaryFolder folder;
    const std::string input = WriteImage(folder, "in.pgm", 2, 2, {1, 2, 3, 4});
    const CliRun run = Cli({"negate", "--time", input, folder.file("out.pgm")});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.err.starts_with("lumagrove-cli: Completed in ")) << run.err;
    EXPECT_TRUE(run.err.ends_with(" ms\n")) << run.err;
}

// One line says what is wrong, the next where to look; the help itself
// would bury the line that matters.
TEST(CommandLine, UsageErrorsSayWhatIsWrongInOneLine) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{}, "no command given"},
        {{"sharpen", "a.pgm", "b.pgm"}, "unknown command 'sharpen'"},
        {{"gausian", "a.pgm", "b.pgm"}, "unknown command 'gausian'; did you mean 'gaussian'?"},
        {{"negate", "then", "equalzie", "a.pgm", "b.pgm"}, "unknown command 'equalzie'; did you mean 'equalize'?"},
        {{"negate", "a.pgm"}, "negate takes an INPUT and an OUTPUT file"},
        {{"negate", "a.pgm", "b.pgm", "c.pgm"}, "negate takes an INPUT and an OUTPUT file"},
        {{"negate", "--threshold", "3", "a.pgm", "b.pgm"}, "option --threshold does not apply to negate"},
        {{"gaussian", "--sigm", "2", "a.pgm", "b.pgm"},
         "option --sigm does not apply to gaussian; did you mean --sigma?"},
        {{"negate", "-x", "a.pgm", "b.pgm"}, "option -x does not apply to negate; a file of that name goes after --"},
        {{"negate", "a.pgm", "-30", "b.pgm"}, "option -30 does not apply to negate; a file of that name goes after --"},
        {{"binarize", "--threshold", "abc", "a.pgm", "b.pgm"}, "'abc' is not a valid value for --threshold"},
        {{"binarize", "--threshold", "12x", "a.pgm", "b.pgm"}, "'12x' is not a valid value for --threshold"},
        {{"uniform", "--window=0", "a.pgm", "b.pgm"}, "--window must be at least 1"},
        {{"median", "--window", "1", "a.pgm", "b.pgm"}, "--window must be at least 3"},
        {{"median", "--window=8", "a.pgm", "b.pgm"}, "--window must be odd"},
        {{"circle-space", "--radius", "-1", "a.pgm", "b.pgm"}, "--radius must be at least 0"},
        {{"binarize", "a.pgm", "b.pgm", "--threshold"}, "option --threshold needs a value"},
        {{"xyz"}, "xyz takes one INPUT file"},
        {{"xyz", "--radius", "3", "a.xyz"}, "option --radius does not apply to xyz"},
    };
    for (const auto& [words, problem] : cases) {
        const CliRun run = Cli(words);
        EXPECT_EQ(run.status, 2) << ::testing::PrintToString(words);
        EXPECT_EQ(run.err, "lumagrove-cli: " + problem + "\nTry 'lumagrove-cli --help'.\n");
        EXPECT_EQ(run.out, "");
    }
}

TEST(CommandLine, EachCommandHasItsOwnHelp) {
    const CliRun binarize = Cli({"binarize", "--help"});
    EXPECT_EQ(binarize.status, 0);
    EXPECT_EQ(binarize.err, "");
    EXPECT_TRUE(binarize.out.starts_with("Usage: lumagrove-cli binarize [OPTIONS] INPUT OUTPUT\n")) << binarize.out;
    EXPECT_NE(binarize.out.find("In the desktop: Action > Binarize"), std::string::npos);
    EXPECT_NE(binarize.out.find("--threshold N"), std::string::npos);
    EXPECT_NE(binarize.out.find("[150]"), std::string::npos);
    EXPECT_EQ(binarize.out.find("--radius"), std::string::npos);  // no other command's options

    // Help wins over a mistake made before it, but not over "--".
    EXPECT_EQ(Cli({"binarize", "--threshold", "abc", "--help"}).out, binarize.out);
    EXPECT_EQ(Cli({"binarize", "--", "--help"}).status, 2);

    const CliRun edges = Cli({"edges-direction", "--help"});
    EXPECT_NE(edges.out.find("[30]"), std::string::npos);
    EXPECT_NE(edges.out.find("--direction D"), std::string::npos);
    EXPECT_NE(edges.out.find("[45]"), std::string::npos);

    const CliRun xyz = Cli({"xyz", "--help"});
    EXPECT_EQ(xyz.status, 0);
    EXPECT_TRUE(xyz.out.starts_with("Usage: lumagrove-cli xyz INPUT\n")) << xyz.out;
}

// After "--" every word is a file name, even one that looks like an option.
TEST(CommandLine, DoubleDashEndsTheOptions) {
    TemporaryFolder folder;
    WriteImage(folder, "--time.pgm", 2, 1, {10, 20});
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    const CliRun run = Cli({"binarize", "--threshold", "15", "--", "--time.pgm", "--threshold"});
    WriteImage(folder, "-x.pgm", 1, 1, {10});
    const CliRun dashed = Cli({"negate", "--", "-x.pgm", "-y.pgm"});
    std::filesystem::current_path(previous);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");  // "--time.pgm" was not taken for --time
    EXPECT_EQ(ReadImage(folder.file("--threshold")), (std::vector<std::uint8_t>{0, 255}));
    EXPECT_EQ(dashed.status, 0) << dashed.err;
    EXPECT_EQ(ReadImage(folder.file("-y.pgm")), std::vector<std::uint8_t>{245});
}

// An option's value may start with '-': it is not taken for an option.
TEST(CommandLine, ANegativeNumberIsAnOptionsValue) {
    TemporaryFolder folder;
    const std::string scene = LUMAGROVE_SOURCE_DIR "/samples/scene.pgm";
    const CliRun spaced = Cli({"edges-direction", "--direction", "-30", scene, folder.file("spaced.pgm")});
    EXPECT_EQ(spaced.status, 0) << spaced.err;
    EXPECT_EQ(Cli({"edges-direction", "--direction=-30", scene, folder.file("joined.pgm")}).status, 0);
    EXPECT_EQ(Cli({"edges-direction", scene, folder.file("default.pgm")}).status, 0);
    EXPECT_EQ(ReadImage(folder.file("spaced.pgm")), ReadImage(folder.file("joined.pgm")));
    EXPECT_NE(ReadImage(folder.file("spaced.pgm")), ReadImage(folder.file("default.pgm")));
}

// --quiet leaves errors and what the user asked to see; warnings, times and a
// batch's summary go.
TEST(CommandLine, QuietKeepsErrorsAndStandardOutput) {
    TemporaryFolder folder;
    std::string bytes(200000, '\x10');
    bytes[108900] = 7;
    const std::string scan = folder.write("short.raw", bytes);
    const CliRun told = Cli({"negate", scan, folder.file("out.pgm")});
    EXPECT_EQ(told.err,
              "lumagrove-cli: Warning: File: " + scan + " holds 200000 of 640 x 480 samples; the rest is white.\n");

    const CliRun quiet = Cli({"negate", "--quiet", "--time", scan, folder.file("out.pgm")});
    EXPECT_EQ(quiet.status, 0);
    EXPECT_EQ(quiet.out, "7 16\n");
    EXPECT_EQ(quiet.err, "");

    const std::string missing = folder.file("missing.pgm");
    const CliRun batch = Cli({"negate", "--out-dir", folder.file("out"), scan, missing, "--quiet"});
    EXPECT_EQ(batch.status, 1);
    EXPECT_EQ(batch.out, scan + ": 7 16\n");
    EXPECT_EQ(batch.err,
              "lumagrove-cli: " + missing + ": Error: File: " + missing + " could not be opened for reading.\n");
}

TEST(CommandLine, HelpListsEveryCommandWithItsDefaults) {
    const CliRun run = Cli({"--help"});
    EXPECT_EQ(run.status, 0);
    for (const OperationEntry& entry : OperationTable()) {
        if (entry.command == nullptr) continue;
        EXPECT_NE(run.out.find(std::string("  ") + entry.command + " "), std::string::npos) << entry.command;
    }
    EXPECT_NE(run.out.find("--threshold N [150]"), std::string::npos);
    EXPECT_NE(run.out.find("--threshold N [30] --direction D [45]"), std::string::npos);
    EXPECT_NE(run.out.find("--sigma S [1.0]"), std::string::npos);
    EXPECT_NE(run.out.find("--radius R [14]"), std::string::npos);
    EXPECT_NE(run.out.find("--window N [5]"), std::string::npos);
}

// Scripts and package tools read the first line of --version; it carries the
// project's version and, from a checkout, the 12-digit commit.
TEST(CommandLine, VersionIsOneLineOnStandardOutput) {
    const CliRun run = Cli({"--version"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    const std::regex line(R"(lumagrove-cli )" LUMAGROVE_PROJECT_VERSION_PATTERN
                          R"(( \(git [0-9a-f]{12}(, modified)?\))?\n)");
    EXPECT_TRUE(std::regex_match(run.out, line)) << run.out;
}

TEST(CommandLine, FileProblemsExitWithOneAndTheReadersWords) {
    TemporaryFolder folder;
    const std::string missing = folder.file("missing.pgm");
    const CliRun unreadable = Cli({"negate", missing, folder.file("out.pgm")});
    EXPECT_EQ(unreadable.status, 1);
    EXPECT_EQ(unreadable.err, "lumagrove-cli: Error: File: " + missing + " could not be opened for reading.\n");

    const std::string input = WriteImage(folder, "in.pgm", 1, 1, {5});
    const std::string nowhere = folder.file("no/folder/out.pgm");
    const CliRun unwritable = Cli({"negate", input, nowhere});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_EQ(unwritable.err, "lumagrove-cli: Error: File: " + nowhere +
                                  " could not be opened for writing. The folder does not exist.\n");

    const CliRun coordinates = Cli({"negate", folder.write("points.xyz", "abcd"), folder.file("out.pgm")});
    EXPECT_EQ(coordinates.status, 1);
    EXPECT_NE(coordinates.err.find("holds XYZ coordinates"), std::string::npos);
}

// A message must tell which file it is about, and a name must not reach the
// terminal as commands to it.
TEST(CommandLine, MessagesNameTheFileAndShowItsControlCharactersEscaped) {
    TemporaryFolder folder;
    const std::string notPgm = folder.write("x.pgm", "hello");
    EXPECT_EQ(Cli({"negate", notPgm, folder.file("out.pgm")}).err,
              "lumagrove-cli: Error: File: " + notPgm + " is not a PBM, PGM, PPM or PAM file.\n");

    const std::string hostile = folder.file("\033]0;owned\007\033[2J\302\233.pgm");
    const CliRun run = Cli({"negate", hostile, folder.file("out.pgm")});
    EXPECT_EQ(run.err, "lumagrove-cli: Error: File: " + folder.file("\\033]0;owned\\007\\033[2J\\302\\233.pgm") +
                           " could not be opened for reading.\n");
    // Other bytes of a UTF-8 name stay as they are.
    const std::string accented = folder.file("\303\251t\303\251.pgm");
    EXPECT_NE(Cli({"negate", accented, folder.file("out.pgm")}).err.find(accented), std::string::npos);
}

TEST(CommandLine, StandardInputThatIsATerminalIsRefusedAtOnce) {
    TemporaryFolder folder;
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    const Streams terminal{in, out, err, 0, false, true};
    EXPECT_EQ(RunCommandLine(std::vector<std::string>{"negate", "-", folder.file("out.pgm")}, terminal), 1);
    EXPECT_EQ(err.str(), "lumagrove-cli: standard input is a terminal; give a file or a pipe\n");
    EXPECT_FALSE(std::filesystem::exists(folder.file("out.pgm")));
}

TEST(CommandLine, IntensityInputIsReadLikeTheDesktopReadsIt) {
    TemporaryFolder folder;
    std::string bytes(640 * 480, '\x10');
    bytes[108900] = 7;
    const std::string input = folder.write("scan.raw", bytes);
    const CliRun run = Cli({"negate", input, folder.file("out.pgm")});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "7 16\n");  // the two samples, where scripts read them
    EXPECT_EQ(run.err, "");
    const std::vector<std::uint8_t> result = ReadImage(folder.file("out.pgm"));
    ASSERT_EQ(result.size(), 640u * 480u);
    EXPECT_EQ(result[108900], 248);
    EXPECT_EQ(result[0], 239);
}

// "negate scan.raw /dev/stdout | next": the image alone goes down the pipe,
// the samples go to standard error. Standard output is pointed at a file of
// our own for the run.
TEST(CommandLine, AnImageWrittenToStandardOutputIsNotMixedWithTheSamples) {
    TemporaryFolder folder;
    const std::string input = folder.write("scan.raw", std::string(640 * 480, '\x10'));
    const std::string piped = folder.file("piped.pgm");
    std::fflush(stdout);
    const int savedOutput = ::dup(STDOUT_FILENO);
    const int file = ::open(piped.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(file, 0);
    ::dup2(file, STDOUT_FILENO);
    ::close(file);
    const CliRun run = Cli({"negate", input, piped});
    ::dup2(savedOutput, STDOUT_FILENO);
    ::close(savedOutput);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "16 16\n");
    EXPECT_EQ(ReadImage(piped), std::vector<std::uint8_t>(640 * 480, 239));
}

TEST(CommandLine, XyzPrintsTheSamplePoint) {
    TemporaryFolder folder;
    std::string bytes(640 * 480 * 12, '\0');
    bytes[200 * 4 + 3] = 0x3f;  // 0.5 in the x plane
    bytes[200 * 4 + 2] = '\x00';
    const CliRun run = Cli({"xyz", folder.write("p.xyz", bytes)});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "0.500000 -----  0.000000 ----- 0.000000\n");

    const CliRun missing = Cli({"xyz", folder.file("none.xyz")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("could not be opened for reading."), std::string::npos);
}

TEST(CommandLine, ConvertTo3DLabelsTheSampleAndRefusesOtherSizes) {
    TemporaryFolder folder;
    const CliRun labelled = Cli({"range3d", LUMAGROVE_SOURCE_DIR "/samples/range.pgm", folder.file("labels.pgm")});
    EXPECT_EQ(labelled.status, 0) << labelled.err;
    const std::vector<std::uint8_t> labels = ReadImage(folder.file("labels.pgm"));
    ASSERT_EQ(labels.size(), 128u * 128u);
    for (int label : {100, 170, 255}) EXPECT_NE(std::count(labels.begin(), labels.end(), label), 0) << label;

    const std::string square = WriteImage(folder, "small.pgm", 100, 100, std::vector<std::uint8_t>(100 * 100, 9));
    const CliRun refused = Cli({"range3d", square, folder.file("refused.pgm")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "lumagrove-cli: Error: Convert to 3D needs a 128 x 128 image.\n");
    EXPECT_FALSE(std::filesystem::exists(folder.file("refused.pgm")));
}

// Files that declare sizes no image can have, and folders given as files:
// the reader's words and exit 1, never a crash or a result.
TEST(CommandLine, HostileInputsExitWithOneAndTheReadersWords) {
    TemporaryFolder folder;
    const std::string output = folder.file("out.pgm");
    for (const char* header : {"P5\n4294963200 4294963200\n255\n", "P5\n4294967294 4294967294\n255\n",
                               "P2\n99999999999999 99999999999999\n255\n"}) {
        const std::string input = folder.write("hostile.pgm", header);
        for (const char* command : {"negate", "binarize", "gaussian"}) {
            const CliRun run = Cli({command, input, output});
            EXPECT_EQ(run.status, 1) << command << " " << header;
            EXPECT_EQ(run.err, "lumagrove-cli: Error: File: " + input + " has no valid image size.\n");
            EXPECT_FALSE(std::filesystem::exists(output));
        }
    }

    for (const char* name : {"folder", "folder.pgm"}) {
        const std::string input = folder.file(name);
        std::filesystem::create_directory(input);
        const CliRun run = Cli({"negate", input, output});
        EXPECT_EQ(run.status, 1) << name;
        EXPECT_EQ(run.err, "lumagrove-cli: Error: File: " + input + " could not be opened for reading.\n");
        EXPECT_FALSE(std::filesystem::exists(output));
    }
    std::filesystem::create_directory(folder.file("folder.xyz"));
    const CliRun coordinates = Cli({"xyz", folder.file("folder.xyz")});
    EXPECT_EQ(coordinates.status, 1);
    EXPECT_EQ(coordinates.out, "");
    EXPECT_EQ(coordinates.err,
              "lumagrove-cli: Error: File: " + folder.file("folder.xyz") + " could not be opened for reading.\n");
}

}  // namespace
}  // namespace lumagrove::cli
