#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/Reporter.h"
#include "cli/ParsedWords.h"
#include "formats/ImageRecord.h"
#include "operations/OperationTable.h"

// Chains: "gaussian --sigma 2 then equalize then edges IN OUT" runs the steps
// one after another in memory, each on the image the one before it made.
namespace lumagrove::cli {

// The word that separates the steps of a chain.
inline constexpr char kThen[] = "then";

// One step: a command and the options given to it.
struct ChainStep {
    const OperationEntry* entry = nullptr;
    OperationArguments arguments;
};

// The words of each step, each starting with its command: split at every
// "then" before a "--", since after "--" every word is a file name. A lone
// command is a chain of one step.
std::vector<std::span<const std::string>> SplitSteps(std::span<const std::string> words);

// A whole command line: its steps, and what the words of all the steps ask
// for together (files, --time, the batch options; a problem, if any).
struct ChainCommand {
    std::vector<ChainStep> steps;
    ParsedWords words;
    const OperationEntry* help = nullptr;  // the step whose --help was asked for
};

// Parses the words from the first command on. Each step takes its own
// command's options; the options every command takes may stand in any step,
// and file names only after the last.
ChainCommand ParseChain(std::span<const std::string> words);

// Receives "Completed in N ms" for each step, when --time asks for it.
using StepTimes = std::function<void(const std::string& line)>;

// Runs the steps on `source` with the same runners single commands use. A
// step that is refused or makes no image stops the chain; it has said why,
// and nothing comes back. With `times`, each step that ran to its end sends
// its time: "Completed in N ms" for a lone step, as always, and "Step 2
// (equalize): Completed in N ms" in a longer chain.
std::optional<ImageRecord> RunChain(std::span<const ChainStep> steps, ImageRecord source, const Reporter& report,
                                    const StepTimes& times);

}  // namespace lumagrove::cli
