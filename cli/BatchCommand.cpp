#include "cli/BatchCommand.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "cli/Batch.h"
#include "cli/BatchPlan.h"
#include "cli/InputOutput.h"
#include "cli/StandardStreams.h"
#include "cli/StreamReporter.h"
#include "session/ImageFiles.h"

namespace lumagrove::cli {
namespace {

// Makes the folder (and the ones above it) if missing; false after saying why.
bool MakeOutputFolder(const std::string& folder, std::ostream& err) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!error && std::filesystem::is_directory(folder, error)) return true;
    Say(err, "the output folder " + folder + " could not be made" +
                 (error ? " (" + error.message() + ")" : std::string(": something else has that name")));
    return false;
}

}  // namespace

int RunBatchCommand(const ChainCommand& chain, const Streams& streams) {
    const ParsedWords& words = chain.words;
    const std::vector<std::string>& inputs = words.files;
    if (inputs.empty()) return UsageError(streams.err, "--out-dir needs at least one INPUT");
    if (std::any_of(inputs.begin(), inputs.end(),
                    [](const std::string& input) { return NamesStandardStream(input); })) {
        return UsageError(streams.err, "standard input (-) cannot be part of a batch");
    }
    const ImageFormat& format = words.format != nullptr ? *words.format : session::FormatForWriting("");  // PGM
    if (auto problem = QualityProblem(format, words.quality)) return UsageError(streams.err, *problem);
    const WriteSettings settings{words.quality.value_or(WriteSettings::kDefaultQuality)};
    if (!MakeOutputFolder(*words.outDir, streams.err)) return kFailed;

    std::vector<std::string> outputs;
    for (const std::string& input : inputs) outputs.push_back(BatchOutputName(*words.outDir, input, format.writtenAs));
    // Every output is checked against every input before the first is
    // written, so no result can overwrite an image still to be read.
    const std::vector<BatchItem> items = PlanBatch(inputs, outputs);
    std::vector<std::string> names;
    for (const BatchItem& item : items) names.push_back(item.input);

    BatchConsole console(streams.err, streams.out, items.size(), streams.errColumns, words.quiet);
    const FileWork work = [&](std::size_t index, const Reporter& report) {
        const BatchItem& item = items[index];
        if (!item.conflict.empty()) {
            report({item.conflict, "Error", MessageIcon::None});
            return false;
        }
        std::optional<ImageRecord> source = ReadInput(item.input, streams.in, report);
        if (!source) return false;
        StepTimes times;
        if (words.time && !words.quiet)
            times = [&](const std::string& line) { console.line(item.input + ": " + line); };
        const std::optional<ImageRecord> result = RunChain(chain.steps, std::move(*source), report, times);
        return result && session::WriteImageFile(*result, item.output, format, report, settings);
    };
    const unsigned jobs = words.jobs ? static_cast<unsigned>(*words.jobs) : DefaultJobCount();
    return RunBatch(names, jobs, work, console).failed == 0 ? kDone : kFailed;
}

}  // namespace lumagrove::cli
