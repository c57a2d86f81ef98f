#include <cstdio>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli/GeneralOptions.h"
#include "cli/ParsedWords.h"
#include "manuals/Manuals.h"
#include "operations/OperationTable.h"
#include "support/TemporaryFolder.h"

namespace lumagrove::manuals {
namespace {

using testing::TemporaryFolder;

// Runs the generated completion in bash, in `folder`, for the words typed so
// far (the last one being completed), and returns what bash would offer.
class Completion {
public:
    Completion() { script_ = folder_.write("completion.bash", BashCompletion()); }

    const TemporaryFolder& folder() const { return folder_; }

    std::set<std::string> offered(const std::vector<std::string>& words) const {
        std::string array;
        for (const std::string& word : words) array += " '" + word + "'";
        const std::string program = "cd '" + folder_.path().string() + "' && source '" + script_ +
                                    "' && COMP_WORDS=(lumagrove-cli" + array +
                                    ") && COMP_CWORD=" + std::to_string(words.size()) +
                                    " && _lumagrove_cli && printf '%s\\n' \"${COMPREPLY[@]}\"";
        const std::string runner = folder_.write("run.bash", program);
        std::set<std::string> lines;
        FILE* output = popen(("bash --norc --noprofile '" + runner + "'").c_str(), "r");
        if (output == nullptr) return lines;
        std::string line;
        for (int c = std::fgetc(output); c != EOF; c = std::fgetc(output)) {
            if (c != '\n') {
                line += static_cast<char>(c);
            } else if (!line.empty()) {
                lines.insert(line);
                line.clear();
            }
        }
        pclose(output);
        return lines;
    }

private:
    TemporaryFolder folder_;
    std::string script_;
};

std::set<std::string> GeneralFlags() {
    std::set<std::string> flags;
    for (const cli::ToolOption& option : cli::ToolOptions()) flags.insert(option.flag);
    for (const cli::GeneralOption& option : cli::kGeneralOptions) flags.insert(option.flag);
    return flags;
}

TEST(BashCompletion, OffersEveryCommandFirst) {
    const Completion completion;
    std::set<std::string> expected{"--help", "--version", cli::kCoordinatesCommand, cli::kHistogramCommand};
    for (const OperationEntry& entry : OperationTable()) {
        if (entry.command != nullptr) expected.insert(entry.command);
    }
    EXPECT_EQ(completion.offered({""}), expected);
    EXPECT_EQ(completion.offered({"equalize-1"}), std::set<std::string>{"equalize-16"});
}

TEST(BashCompletion, OffersEachCommandItsOwnOptionsAndTheGeneralOnes) {
    const Completion completion;
    for (const OperationEntry& entry : OperationTable()) {
        if (entry.command == nullptr) continue;
        std::set<std::string> expected = GeneralFlags();
        for (const OptionDescriptor* option : entry.options) expected.insert(option->flag);
        EXPECT_EQ(completion.offered({entry.command, "-"}), expected) << entry.command;
    }
}

TEST(BashCompletion, OffersFileNamesButNothingForAnOptionsValue) {
    const Completion completion;
    completion.folder().write("scene.pgm", "");
    completion.folder().write("scene copy.pgm", "");
    completion.folder().write("wall.xyz", "");
    EXPECT_EQ(completion.offered({"gaussian", "sc"}), (std::set<std::string>{"scene.pgm", "scene copy.pgm"}));
    EXPECT_EQ(completion.offered({"gaussian", "--sigma", "1.5", "scene.pgm", "w"}), std::set<std::string>{"wall.xyz"});
    EXPECT_TRUE(completion.offered({"gaussian", "--sigma", ""}).empty());
    // After "--" every word is a file name, even one that looks like an option.
    completion.folder().write("--odd.pgm", "");
    EXPECT_EQ(completion.offered({"negate", "--", "--o"}), std::set<std::string>{"--odd.pgm"});
    EXPECT_TRUE(completion.offered({"no-such-command", ""}).empty());
}

TEST(BashCompletion, FollowsChainsAndTheToolOptionsValues) {
    const Completion completion;
    std::set<std::string> commands;
    for (const OperationEntry& entry : OperationTable()) {
        if (entry.command != nullptr) commands.insert(entry.command);
    }
    EXPECT_EQ(completion.offered({"negate", "then", ""}), commands);
    // Each step of a chain takes its own options.
    std::set<std::string> gaussianFlags = GeneralFlags();
    for (const OptionDescriptor* option : FindOperationByCommand("gaussian")->options)
        gaussianFlags.insert(option->flag);
    EXPECT_EQ(completion.offered({"negate", "then", "gaussian", "-"}), gaussianFlags);
    // The commands that make no image start no chain and take their own few flags.
    const std::set<std::string> histogramFlags{"--json", "--quiet", "--help", "--"};
    EXPECT_EQ(completion.offered({"histogram", "-"}), histogramFlags);
    EXPECT_EQ(completion.offered({"histogram", "then", "-"}), histogramFlags);

    completion.folder().write("scene.pgm", "");
    std::filesystem::create_directory(completion.folder().path() / "results");
    EXPECT_EQ(completion.offered({"negate", "--out-dir", ""}), std::set<std::string>{"results"});
    EXPECT_EQ(completion.offered({"negate", "--format", "p"}), (std::set<std::string>{"pgm", "png"}));
    EXPECT_TRUE(completion.offered({"negate", "--jobs", ""}).empty());
}

}  // namespace
}  // namespace lumagrove::manuals
