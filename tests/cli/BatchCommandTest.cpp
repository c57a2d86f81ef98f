#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/CommandLine.h"
#include "formats/Readers.h"
#include "support/CliRun.h"
#include "support/MessageLog.h"
#include "support/TemporaryFolder.h"
#include "support/TestImages.h"

namespace lumagrove::cli {
namespace {

namespace fs = std::filesystem;
using testing::Cli;
using testing::CliRun;
using testing::MessageLog;
using testing::TemporaryFolder;

std::string SaveImage(const std::string& name, std::uint32_t seed) {
    const ImageRecord record = testing::RecordOf(testing::StructuredImage(97 + static_cast<int>(seed), 61, seed));
    MessageLog log;
    EXPECT_EQ(WritePgm(record, name, log.reporter()), 1);
    return name;
}

// What the same words give for one file on its own.
std::string SingleResult(std::vector<std::string> words, const std::string& input, const TemporaryFolder& folder) {
    words.insert(words.end(), {input, folder.file("single.pgm")});
    const CliRun run = Cli(words);
    EXPECT_EQ(run.status, kDone) << run.err;
    return TemporaryFolder::read(folder.file("single.pgm"));
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

TEST(BatchCommand, AFileThatFailsIsToldAndTheOthersAreWritten) {
    TemporaryFolder folder;
    const std::string out = folder.file("results");
    std::vector<std::string> inputs;
    for (std::uint32_t i = 0; i < 4; ++i)
        inputs.push_back(SaveImage(folder.file("good" + std::to_string(i) + ".pgm"), i));
    const std::string bad = folder.write("bad.pgm", "not a gray map\n");
    const std::string missing = folder.file("missing.pgm");
    inputs.insert(inputs.begin() + 2, {bad, missing});

    std::vector<std::string> words = {"equalize", "--out-dir", out};
    words.insert(words.end(), inputs.begin(), inputs.end());
    const CliRun run = Cli(words);
    EXPECT_EQ(run.status, kFailed);
    EXPECT_EQ(run.out, "");
    for (std::uint32_t i = 0; i < 4; ++i) {
        const std::string name = "good" + std::to_string(i);
        EXPECT_TRUE(TemporaryFolder::read(out + "/" + name + ".pgm") ==
                    SingleResult({"equalize"}, folder.file(name + ".pgm"), folder))
            << name;
    }
    EXPECT_FALSE(fs::exists(out + "/bad.pgm"));
    EXPECT_FALSE(fs::exists(out + "/missing.pgm"));

    // Each failure once, led by its file, in whatever order the workers met
    // them; the summary last.
    std::vector<std::string> lines = Lines(run.err);
    ASSERT_EQ(lines.size(), 3u) << run.err;
    EXPECT_EQ(lines.back(), "lumagrove-cli: Batch done: 4 of 6 files written, 2 failed, in 0:00");
    lines.pop_back();
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ(lines,
              (std::vector<std::string>{
                  "lumagrove-cli: " + bad + ": Error: File: " + bad + " is not a PBM, PGM, PPM or PAM file.",
                  "lumagrove-cli: " + missing + ": Error: File: " + missing + " could not be opened for reading."}));
}

TEST(BatchCommand, AChainRunsOnEveryFileWithEachStepTimed) {
    TemporaryFolder folder;
    const std::vector<std::string> inputs = {SaveImage(folder.file("a.pgm"), 1), SaveImage(folder.file("b.pgm"), 2),
                                             SaveImage(folder.file("c.pgm"), 3)};
    const std::vector<std::string> chain = {"gaussian", "--sigma", "2", "then", "edges", "--threshold", "20"};
    std::vector<std::string> words = chain;
    words.insert(words.end(), {"--time", "--jobs", "2", "--threads", "3", "--out-dir", folder.file("out")});
    words.insert(words.end(), inputs.begin(), inputs.end());
    const CliRun run = Cli(words);
    EXPECT_EQ(run.status, kDone) << run.err;
    for (const std::string name : {"a", "b", "c"}) {
        EXPECT_TRUE(TemporaryFolder::read(folder.file("out/" + name + ".pgm")) ==
                    SingleResult(chain, folder.file(name + ".pgm"), folder))
            << name;
    }
    const std::vector<std::string> lines = Lines(run.err);
    ASSERT_EQ(lines.size(), 7u) << run.err;  // two steps for each of three files, and the summary
    for (const std::string& input : inputs) {
        for (const std::string step : {": Step 1 (gaussian): Completed in ", ": Step 2 (edges): Completed in "}) {
            EXPECT_EQ(std::count_if(
                          lines.begin(), lines.end(),
                          [&](const std::string& line) { return line.starts_with("lumagrove-cli: " + input + step); }),
                      1)
                << input << step;
        }
    }
}

// scans/x.pgm and photos/x.pgm both make OUT/x.pgm: the first keeps it.
TEST(BatchCommand, TwoInputsNeverWriteTheSameResult) {
    TemporaryFolder folder;
    fs::create_directories(folder.path() / "scans");
    fs::create_directories(folder.path() / "photos");
    const std::string first = SaveImage(folder.file("scans/x.pgm"), 1);
    const std::string second = SaveImage(folder.file("photos/x.pgm"), 2);
    const std::string out = folder.file("out");
    const CliRun run = Cli({"negate", "--jobs", "1", "--out-dir", out, first, second});
    EXPECT_EQ(run.status, kFailed);
    EXPECT_EQ(Lines(run.err).front(), "lumagrove-cli: " + second + ": Error: its result would overwrite " + out +
                                          "/x.pgm, the result of " + first);
    EXPECT_TRUE(TemporaryFolder::read(out + "/x.pgm") == SingleResult({"negate"}, first, folder));
}

// r/x.png makes r/x.pgm, which is also an input, and r/x.pgm would be its
// own result: both are skipped and every input is kept; the rest go on.
TEST(BatchCommand, NoResultOverwritesAnInput) {
    TemporaryFolder folder;
    fs::create_directories(folder.path() / "r");
    const std::string png = folder.file("r/x.png");
    fs::copy_file(std::string(LUMAGROVE_SOURCE_DIR) + "/samples/colour.png", png);
    const std::string pgm = SaveImage(folder.file("r/x.pgm"), 1);
    const std::string other = SaveImage(folder.file("other.pgm"), 2);
    const std::string pgmBefore = TemporaryFolder::read(pgm);
    const std::string pngBefore = TemporaryFolder::read(png);

    const CliRun run = Cli({"negate", "--jobs", "1", "--out-dir", folder.file("r"), png, pgm, other});
    EXPECT_EQ(run.status, kFailed);
    EXPECT_TRUE(TemporaryFolder::read(pgm) == pgmBefore);
    EXPECT_TRUE(TemporaryFolder::read(png) == pngBefore);
    EXPECT_TRUE(TemporaryFolder::read(folder.file("r/other.pgm")) == SingleResult({"negate"}, other, folder));
    EXPECT_EQ(Lines(run.err),
              (std::vector<std::string>{
                  "lumagrove-cli: " + png + ": Error: its result " + pgm + " would overwrite the input " + pgm,
                  "lumagrove-cli: " + pgm + ": Error: its result " + pgm + " would overwrite the input " + pgm,
                  "lumagrove-cli: Batch done: 1 of 3 files written, 2 failed, in 0:00",
              }));

    // One file named twice is one input.
    const CliRun twice = Cli({"negate", "--out-dir", folder.file("out"), other, folder.file("r/../other.pgm")});
    EXPECT_EQ(twice.status, kDone) << twice.err;
    EXPECT_EQ(twice.err, "lumagrove-cli: Batch done: 1 of 1 files written, 0 failed, in 0:00\n");
}

TEST(BatchCommand, TheOutputFolderIsMadeAndEveryResultIsNamedAfterItsInput) {
    TemporaryFolder folder;
    const std::string scan = SaveImage(folder.file("scan.v2.pgm"), 1);
    const std::string raw = folder.write("camera", std::string(640 * 480, '\x10'));
    const std::string out = folder.file("new/deeper");
    const CliRun run = Cli({"negate", "--format", "pgm", "--out-dir", out, scan, raw});
    EXPECT_EQ(run.status, kDone) << run.err;
    EXPECT_TRUE(fs::is_regular_file(out + "/scan.v2.pgm"));
    EXPECT_TRUE(fs::is_regular_file(out + "/camera.pgm"));
    // What the user asked to see still goes to standard output, led by its file.
    EXPECT_EQ(run.out, raw + ": 16 16\n");

    const CliRun notAFolder = Cli({"negate", "--out-dir", scan, raw});
    EXPECT_EQ(notAFolder.status, kFailed);
    EXPECT_TRUE(notAFolder.err.starts_with("lumagrove-cli: the output folder " + scan + " could not be made"))
        << notAFolder.err;
}

// Pictures in, pictures out: by name, and in a batch by --format.
TEST(BatchCommand, PicturesAreReadAndWrittenByNameAndFormat) {
    TemporaryFolder folder;
    const std::string photo = std::string(LUMAGROVE_SOURCE_DIR) + "/samples/photo.jpg";
    const std::string colour = std::string(LUMAGROVE_SOURCE_DIR) + "/samples/colour.png";
    const CliRun toPng = Cli({"negate", photo, folder.file("out.PNG")});
    EXPECT_EQ(toPng.status, kDone) << toPng.err;
    EXPECT_TRUE(TemporaryFolder::read(folder.file("out.PNG")).starts_with("\x89PNG"));

    const CliRun batch = Cli({"negate", "--format", "tiff", "--out-dir", folder.file("tiffs"), photo, colour});
    EXPECT_EQ(batch.status, kDone) << batch.err;
    for (const auto& [name, input] : {std::pair{"photo", photo}, std::pair{"colour", colour}}) {
        const std::string tiff = folder.file("tiffs/" + std::string(name) + ".tiff");
        const std::string bytes = TemporaryFolder::read(tiff);
        EXPECT_TRUE(bytes.starts_with("II*") || bytes.starts_with("MM")) << name;
        // Negated back, it is the input's grey image, as twice through PGM.
        ASSERT_EQ(Cli({"negate", tiff, folder.file("back.pgm")}).status, kDone);
        ASSERT_EQ(Cli({"negate", input, folder.file("once.pgm")}).status, kDone);
        ASSERT_EQ(Cli({"negate", folder.file("once.pgm"), folder.file("twice.pgm")}).status, kDone);
        EXPECT_TRUE(TemporaryFolder::read(folder.file("back.pgm")) == TemporaryFolder::read(folder.file("twice.pgm")))
            << name;
    }
}

TEST(BatchCommand, UsageErrors) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"negate", "--out-dir", "d"}, "--out-dir needs at least one INPUT"},
        {{"negate", "--out-dir", "d", "a.pgm", "-"}, "standard input (-) cannot be part of a batch"},
        {{"negate", "--jobs", "0", "--out-dir", "d", "a.pgm"}, "'0' is not a valid value for --jobs"},
        {{"negate", "--jobs=two", "--out-dir", "d", "a.pgm"}, "'two' is not a valid value for --jobs"},
        {{"negate", "--jobs", "2", "a.pgm", "b.pgm"}, "--jobs applies to a batch (--out-dir)"},
        {{"negate", "--threads", "0", "a.pgm", "b.pgm"}, "'0' is not a valid value for --threads"},
        {{"negate", "--format", "gif", "a.pgm", "b.pgm"}, "'gif' is not a valid value for --format"},
        {{"negate", "--out-dir=", "a.pgm"}, "'' is not a valid value for --out-dir"},
    };
    for (const auto& [words, problem] : cases) {
        const CliRun run = Cli(words);
        EXPECT_EQ(run.status, kUsageError) << problem;
        EXPECT_EQ(run.err, "lumagrove-cli: " + problem + "\nTry 'lumagrove-cli --help'.\n");
    }
}

// "-" as OUTPUT: the image alone goes to standard output; an intensity
// file's samples go to standard error instead.
TEST(StandardOutput, HoldsTheImageAlone) {
    TemporaryFolder folder;
    const std::string raw = folder.write("scan.raw", std::string(640 * 480, '\x10'));
    const CliRun run = Cli({"negate", raw, "-"});
    EXPECT_EQ(run.status, kDone) << run.err;
    EXPECT_EQ(run.err, "16 16\n");
    EXPECT_TRUE(run.out == SingleResult({"negate"}, raw, folder));

    const std::string pgm = TemporaryFolder::read(SaveImage(folder.file("in.pgm"), 4));
    const CliRun piped = Cli({"negate", "--format", "pgm", "-", "-"}, pgm);
    EXPECT_EQ(piped.status, kDone) << piped.err;
    EXPECT_TRUE(piped.out == SingleResult({"negate"}, folder.file("in.pgm"), folder));
}

}  // namespace
}  // namespace lumagrove::cli
