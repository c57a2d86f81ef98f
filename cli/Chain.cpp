#include "cli/Chain.h"

#include <algorithm>
#include <chrono>

#include "cli/GeneralOptions.h"
#include "cli/Suggestions.h"
#include "session/Messages.h"
#include "session/RunEntry.h"

namespace lumagrove::cli {

std::vector<std::span<const std::string>> SplitSteps(std::span<const std::string> words) {
    std::vector<std::span<const std::string>> steps;
    std::size_t start = 0;
    for (std::size_t i = 0; i < words.size() && words[i] != "--"; ++i) {
        if (words[i] == kThen) {
            steps.push_back(words.subspan(start, i - start));
            start = i + 1;
        }
    }
    steps.push_back(words.subspan(start));
    return steps;
}

namespace {

// Takes what one step's words ask for into the whole command's. An option
// of the whole command given in two steps is a problem: which one should win?
void Gather(ParsedWords& all, ParsedWords&& step) {
    const auto once = [&all](const char* flag, auto& whole, auto& given) {
        if (!given) return;
        if (whole && !all.problem)
            all.problem = std::string(flag) + " is given in two steps of the chain; give it once";
        whole = std::move(given);
    };
    once("--out-dir", all.outDir, step.outDir);
    once("--jobs", all.jobs, step.jobs);
    once("--threads", all.threads, step.threads);
    once("--format", all.format, step.format);
    once("--quality", all.quality, step.quality);
    all.time = all.time || step.time;
    all.quiet = all.quiet || step.quiet;
    all.files = std::move(step.files);
}

// What is wrong with the step's words on their own, if anything.
std::optional<std::string> StepProblem(std::span<const std::string> words, bool last, const ParsedWords& parsed) {
    if (FindOperationByCommand(words[0]) == nullptr) {
        if (words[0] == kCoordinatesCommand || words[0] == kHistogramCommand) {
            return words[0] + " cannot be a step of a chain";
        }
        return UnknownCommand(words[0], true);
    }
    if (parsed.problem) return parsed.problem;
    if (!last && !parsed.files.empty()) {
        return "file names go after the last step, not before '" + std::string(kThen) + "' ('" + parsed.files[0] + "')";
    }
    return std::nullopt;
}

}  // namespace

ChainCommand ParseChain(std::span<const std::string> words) {
    ChainCommand chain;
    const std::vector<std::span<const std::string>> steps = SplitSteps(words);
    // A stray "then" is the mistake to name, whatever else it confuses.
    if (std::any_of(steps.begin(), steps.end(), [](auto step) { return step.empty(); })) {
        chain.words.problem = std::string("'") + kThen + "' must stand between two commands";
    }
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const std::span<const std::string> step = steps[i];
        if (step.empty()) continue;
        const OperationEntry* entry = FindOperationByCommand(step[0]);
        ParsedWords parsed = entry == nullptr ? ParsedWords{} : ParseWords(entry, step[0], step.subspan(1));
        if (parsed.help) {
            // Help wins over any problem, in this step or another.
            chain.help = entry;
            return chain;
        }
        if (!chain.words.problem) chain.words.problem = StepProblem(step, i + 1 == steps.size(), parsed);
        if (entry != nullptr) chain.steps.push_back({entry, parsed.arguments});
        Gather(chain.words, std::move(parsed));
    }
    return chain;
}

std::optional<ImageRecord> RunChain(std::span<const ChainStep> steps, ImageRecord source, const Reporter& report,
                                    const StepTimes& times) {
    std::optional<ImageRecord> image = std::move(source);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const ChainStep& step = steps[i];
        const auto start = std::chrono::steady_clock::now();
        session::EntryRun run = session::RunEntry(*step.entry, *image, step.arguments, report);
        const auto elapsed =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
        if (run.finished && times) {
            const std::string line = session::CompletedIn(elapsed.count());
            times(steps.size() == 1 ? line
                                    : "Step " + std::to_string(i + 1) + " (" + step.entry->command + "): " + line);
        }
        // The step's result replaces its source at once, so a long chain
        // holds two images at most.
        image = std::move(run.result);
        if (!image) return std::nullopt;
    }
    return image;
}

}  // namespace lumagrove::cli
