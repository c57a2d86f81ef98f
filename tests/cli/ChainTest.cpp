#include <gtest/gtest.h>

#include <sstream>

#include "cli/Chain.h"
#include "cli/CommandLine.h"
#include "formats/Readers.h"
#include "frequency/FftwPlanner.h"
#include "support/CliRun.h"
#include "support/MessageLog.h"
#include "support/TemporaryFolder.h"
#include "support/TestImages.h"

namespace lumagrove::cli {
namespace {

using testing::Cli;
using testing::CliRun;
using testing::MessageLog;
using testing::TemporaryFolder;

std::string SaveScene(const TemporaryFolder& folder, const std::string& name) {
    const ImageRecord record = testing::RecordOf(testing::StructuredImage(160, 120, 5));
    MessageLog log;
    EXPECT_EQ(WritePgm(record, folder.file(name), log.reporter()), 1);
    return folder.file(name);
}

// Each chain against its steps run one by one through files: the bytes of
// the results must be the same.
TEST(Chain, GivesWhatItsStepsGiveOneByOne) {
    const std::vector<std::vector<std::vector<std::string>>> chains = {
        {{"gaussian", "--sigma", "2"}, {"equalize"}, {"edges", "--threshold", "40"}},
        {{"negate"}, {"highpass", "--cutoff", "40,9"}, {"binarize", "--threshold", "100"}},
        {{"uniform", "--window", "3"}, {"equalize-4"}, {"lines-superimposed"}},
        {{"equalize-area", "--from", "2,2", "--to", "90,60"}, {"gradient"}, {"circles"}},
        {{"edges-direction", "--direction", "90"}, {"edges-direction", "--direction", "0"}},
    };
    TemporaryFolder folder;
    const std::string scene = SaveScene(folder, "scene.pgm");
    for (const auto& steps : chains) {
        std::string previous = scene;
        std::vector<std::string> chain;
        for (std::size_t i = 0; i < steps.size(); ++i) {
            const std::string next = folder.file("step" + std::to_string(i) + ".pgm");
            std::vector<std::string> single = steps[i];
            single.insert(single.end(), {previous, next});
            ASSERT_EQ(Cli(single).status, kDone) << steps[i][0];
            previous = next;
            if (i > 0) chain.push_back("then");
            chain.insert(chain.end(), steps[i].begin(), steps[i].end());
        }
        chain.insert(chain.end(), {scene, folder.file("chain.pgm")});
        const CliRun run = Cli(chain);
        EXPECT_EQ(run.status, kDone) << run.err;
        EXPECT_TRUE(TemporaryFolder::read(folder.file("chain.pgm")) == TemporaryFolder::read(previous)) << chain[0];
    }
}

TEST(Chain, TimeIsPrintedForEachStep) {
    TemporaryFolder folder;
    const std::string scene = SaveScene(folder, "scene.pgm");
    const CliRun run = Cli({"negate", "--time", "then", "equalize", "then", "negate", scene, folder.file("out.pgm")});
    EXPECT_EQ(run.status, kDone) << run.err;
    std::istringstream lines(run.err);
    std::string line;
    for (const std::string step : {"Step 1 (negate): ", "Step 2 (equalize): ", "Step 3 (negate): "}) {
        ASSERT_TRUE(std::getline(lines, line));
        EXPECT_TRUE(line.starts_with("lumagrove-cli: " + step + "Completed in ") && line.ends_with(" ms")) << line;
    }
    EXPECT_FALSE(std::getline(lines, line));
}

// The spectrum step gets no FFTW plan, so it makes no image: the chain stops
// there with the step's own message, and nothing is written.
TEST(Chain, AStepThatMakesNoImageStopsTheChain) {
    TemporaryFolder folder;
    const std::string scene = SaveScene(folder, "scene.pgm");
    const ScopedPlanRefusal noPlans;
    const CliRun run = Cli({"negate", "then", "spectrum", "then", "equalize", scene, folder.file("out.pgm")});
    EXPECT_EQ(run.status, kFailed);
    EXPECT_FALSE(std::filesystem::exists(folder.file("out.pgm")));
    EXPECT_FALSE(run.err.empty());
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;  // that one message only
}

TEST(Chain, MisplacedWordsAreUsageErrors) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"negate", "then", "a.pgm", "b.pgm"}, "unknown command 'a.pgm'"},
        {{"negate", "then", "then", "equalize", "a.pgm", "b.pgm"}, "'then' must stand between two commands"},
        {{"negate", "a.pgm", "b.pgm", "then"}, "'then' must stand between two commands"},
        {{"negate", "then", "xyz", "a.pgm", "b.pgm"}, "xyz cannot be a step of a chain"},
        {{"negate", "a.pgm", "then", "equalize", "b.pgm"},
         "file names go after the last step, not before 'then' ('a.pgm')"},
        {{"negate", "then", "binarize", "--radius", "3", "a.pgm", "b.pgm"},
         "option --radius does not apply to binarize"},
        {{"negate", "then", "equalize", "a.pgm"}, "a chain takes an INPUT and an OUTPUT file"},
        {{"negate", "--format", "png", "then", "equalize", "--format=tiff", "a.pgm", "b.pgm"},
         "--format is given in two steps of the chain; give it once"},
        {{"negate", "--out-dir", "x", "then", "equalize", "--out-dir", "x", "a.pgm"},
         "--out-dir is given in two steps of the chain; give it once"},
    };
    for (const auto& [words, problem] : cases) {
        const CliRun run = Cli(words);
        EXPECT_EQ(run.status, kUsageError) << problem;
        EXPECT_EQ(run.err, "lumagrove-cli: " + problem + "\nTry 'lumagrove-cli --help'.\n");
    }
    // Help for any step wins, as for a single command.
    EXPECT_EQ(Cli({"negate", "then", "binarize", "--help", "then", "nonsense"}).out, Cli({"binarize", "--help"}).out);
}

// After "--" even "then" is a file name.
TEST(Chain, ThenAfterDoubleDashIsAFileName) {
    const std::vector<std::string> words = {"negate", "then", "equalize", "--", "then", "x"};
    const ChainCommand chain = ParseChain(words);
    EXPECT_FALSE(chain.words.problem) << *chain.words.problem;
    ASSERT_EQ(chain.steps.size(), 2u);
    EXPECT_EQ(chain.words.files, (std::vector<std::string>{"then", "x"}));
}

}  // namespace
}  // namespace lumagrove::cli
