#include <cctype>
#include <set>
#include <sstream>

#include <gtest/gtest.h>

#include "cli/CommandLine.h"
#include "formats/Readers.h"
#include "operations/OperationTable.h"
#include "support/MessageLog.h"
#include "support/OperationReferences.h"
#include "support/TemporaryFolder.h"
#include "support/TestImages.h"

namespace lumagrove::cli {
namespace {

using testing::OperationReference;
using testing::ReferenceValues;

// One command line: the command, its options, and the values the operation
// must then be given.
struct CommandCase {
    std::string command;
    std::vector<std::string> options;
    ReferenceValues values;
};

void PrintTo(const CommandCase& run, std::ostream* out) {
    *out << run.command;
    for (const std::string& word : run.options) *out << ' ' << word;
}

std::vector<CommandCase> Cases() {
    std::vector<CommandCase> cases;
    for (const OperationReference& reference : testing::OperationReferences()) {
        cases.push_back({reference.command, {}, {}});  // the documented defaults
    }
    const std::vector<CommandCase> ownValues = {
        {"binarize", {"--threshold", "97"}, {.threshold = 97}},
        {"uniform", {"--window", "9"}, {.uniformWindow = 9}},
        {"gaussian", {"--sigma", "2.5", "--threshold", "90"}, {.threshold = 90, .sigma = 2.5}},
        {"equalize-area", {"--from", "200,150", "--to", "10,20"}, {.fromX = 200, .fromY = 150, .toX = 10, .toY = 20}},
        {"highpass", {"--cutoff", "40,9"}, {.cutoffX = 40, .cutoffY = 9}},
        {"lowpass", {"--cutoff", "40,9"}, {.cutoffX = 40, .cutoffY = 9}},
        {"median", {"--window", "5"}, {.windowSize = 5}},
        {"median", {"--window", "9"}, {.windowSize = 9}},
        {"highpass-local",
         {"--from", "200,150", "--to", "10,20", "--cutoff", "40,9"},
         {.cutoffX = 40, .cutoffY = 9, .fromX = 200, .fromY = 150, .toX = 10, .toY = 20}},
        {"lowpass-local",
         {"--from", "20,10", "--to", "90,70", "--cutoff", "5,30"},
         {.cutoffX = 5, .cutoffY = 30, .fromX = 20, .fromY = 10, .toX = 90, .toY = 70}},
        {"edges", {"--threshold", "55"}, {.gradientThreshold = 55}},
        {"edges-direction",
         {"--threshold", "20", "--direction", "100"},
         {.gradientThreshold = 20, .gradientDirection = 100}},
        {"circle-space", {"--radius", "6"}, {.circleRadius = 6}},
    };
    cases.insert(cases.end(), ownValues.begin(), ownValues.end());
    return cases;
}

std::string CaseName(const ::testing::TestParamInfo<CommandCase>& info) {
    std::string name = info.param.command;
    for (const std::string& word : info.param.options) {
        if (!word.starts_with("--")) name += "_" + word;
    }
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    }
    return name;
}

class CommandWiring : public ::testing::TestWithParam<CommandCase> {};

ImageRecord ReadWritten(const std::string& name) {
    testing::MessageLog log;
    std::optional<ImageRecord> written = ReadNetpbm(name, log.reporter());
    EXPECT_TRUE(written) << name;
    return written ? std::move(*written) : ImageRecord();
}

// Every gray level from 0 to 255 in steps and ramps: the samples use few
// levels, and a threshold one off would pass them unseen.
ImageRecord EveryGrayLevel() { return testing::RecordOf(testing::StructuredImage(256, 96, 3)); }

// Each command, run as a user runs it on a sample and on an image of every
// gray level, writes exactly what a direct call of its operation gives with
// the same values.
TEST_P(CommandWiring, WritesWhatItsOperationGives) {
    const CommandCase& run = GetParam();
    const OperationReference* reference = testing::FindReference(run.command);
    ASSERT_NE(reference, nullptr) << run.command;
    testing::TemporaryFolder folder;
    std::vector<std::string> inputs;
    if (testing::NeedsRangeImage(*reference)) {
        inputs = {testing::SamplePath("range.pgm")};
    } else {
        testing::MessageLog log;
        ASSERT_EQ(WritePgm(EveryGrayLevel(), folder.file("levels.pgm"), log.reporter()), 1);
        inputs = {testing::SamplePath("scene.pgm"), folder.file("levels.pgm")};
    }
    for (const std::string& input : inputs) {
        SCOPED_TRACE(input);
        const std::string output = folder.file("out.pgm");
        std::vector<std::string> words{run.command};
        words.insert(words.end(), run.options.begin(), run.options.end());
        words.push_back(input);
        words.push_back(output);
        std::ostringstream out;
        std::ostringstream err;
        ASSERT_EQ(RunCommandLine(words, out, err), kDone) << err.str();
        EXPECT_TRUE(testing::SameImage(ReadWritten(output), reference->expected(ReadWritten(input), run.values)));
    }
}

INSTANTIATE_TEST_SUITE_P(EveryCommand, CommandWiring, ::testing::ValuesIn(Cases()), CaseName);

// A new command or option must come with a reference and a case that gives
// it a value of its own; otherwise its wiring would go unchecked.
TEST(CommandWiringCases, CoverEveryCommandAndEveryOption) {
    std::set<std::string> given;
    for (const CommandCase& run : Cases()) {
        for (const std::string& word : run.options) {
            if (word.starts_with("--")) given.insert(run.command + " " + word);
        }
    }
    for (const OperationEntry& entry : OperationTable()) {
        if (entry.command == nullptr) continue;
        EXPECT_NE(testing::FindReference(entry.command), nullptr) << entry.command;
        for (const OptionDescriptor* option : entry.options) {
            const std::string use = std::string(entry.command) + " " + option->flag;
            EXPECT_TRUE(given.contains(use)) << use;
        }
    }
}

}  // namespace
}  // namespace lumagrove::cli
