#include <gtest/gtest.h>

#include <string>

#include "support/CliRun.h"
#include "support/TemporaryFolder.h"

namespace lumagrove::cli {
namespace {

using testing::Cli;
using testing::CliRun;
using testing::TemporaryFolder;

// Levels 0, 10, 10, 10, 200, 255: the mode is 10, the mean 485 / 6.
constexpr char kImage[] = "P2 3 2 255\n0 10 10\n200 10 255\n";

std::string ExpectedCounts() {
    std::string lines = "level,count\n";
    for (int level = 0; level < 256; ++level) {
        const int count = level == 10 ? 3 : level == 0 || level == 200 || level == 255 ? 1 : 0;
        lines += std::to_string(level) + "," + std::to_string(count) + "\n";
    }
    return lines;
}

TEST(HistogramCommand, PrintsEveryLevelThenTheStatisticsEvenWhenQuiet) {
    TemporaryFolder folder;
    const std::string input = folder.write("six.pgm", kImage);
    const std::string expected = ExpectedCounts() +
                                 "# pixels=6\n# minimum=0\n# maximum=255\n# mean=80.8333\n# stddev=104.977\n"
                                 "# mode=10\n";
    for (const auto& words :
         {std::vector<std::string>{"histogram", input}, std::vector<std::string>{"histogram", "--quiet", input}}) {
        const CliRun run = Cli(words);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, expected);
        EXPECT_EQ(run.err, "");
    }
    EXPECT_EQ(Cli({"histogram", "-"}, kImage).out, expected);
}

TEST(HistogramCommand, JsonIsOneObjectWithTheSameNames) {
    TemporaryFolder folder;
    const CliRun run = Cli({"histogram", folder.write("six.pgm", kImage), "--json"});
    EXPECT_EQ(run.status, 0) << run.err;
    std::string counts;
    for (int level = 0; level < 256; ++level) {
        counts += std::string(level == 0 ? "" : ",") + (level == 10                                  ? "3"
                                                        : level == 0 || level == 200 || level == 255 ? "1"
                                                                                                     : "0");
    }
    EXPECT_EQ(run.out, "{\"counts\":[" + counts +
                           "],\"pixels\":6,\"minimum\":0,\"maximum\":255,\"mean\":80.8333,\"stddev\":104.977,"
                           "\"mode\":10}\n");
}

TEST(HistogramCommand, RefusesWhatItCannotDo) {
    TemporaryFolder folder;
    const std::string input = folder.write("six.pgm", kImage);
    for (const auto& [words, problem] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"histogram"}, "histogram takes one INPUT file"},
             {{"histogram", input, input}, "histogram takes one INPUT file"},
             {{"histogram", "--window", "3", input}, "option --window does not apply to histogram"},
             {{"negate", "then", "histogram", input, "out.pgm"}, "histogram cannot be a step of a chain"},
             {{"histgram", input}, "unknown command 'histgram'; did you mean 'histogram'?"}}) {
        const CliRun run = Cli(words);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.err.starts_with("lumagrove-cli: " + problem + "\n")) << run.err;
        EXPECT_EQ(run.out, "");
    }
    const CliRun missing = Cli({"histogram", folder.file("none.pgm")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("could not be opened for reading."), std::string::npos);
    EXPECT_EQ(missing.out, "");
}

}  // namespace
}  // namespace lumagrove::cli
