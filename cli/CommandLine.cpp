#include "cli/CommandLine.h"

#include <sys/stat.h>
#include <unistd.h>

#include <sstream>

#include "base/Bands.h"
#include "base/Version.h"
#include "cli/BatchCommand.h"
#include "cli/Chain.h"
#include "cli/GeneralOptions.h"
#include "cli/HistogramCommand.h"
#include "cli/InputOutput.h"
#include "cli/ParsedWords.h"
#include "cli/StandardStreams.h"
#include "cli/StreamReporter.h"
#include "cli/Suggestions.h"
#include "session/ImageFiles.h"
#include "session/Messages.h"

namespace lumagrove::cli {
namespace {

// Whether `name` is where standard output goes: "-", /dev/stdout, or the
// file or pipe the shell connected it to.
bool NamesStandardOutput(const std::string& name) {
    if (NamesStandardStream(name)) return true;
    struct stat file {};
    struct stat output {};
    return ::stat(name.c_str(), &file) == 0 && ::fstat(STDOUT_FILENO, &output) == 0 && file.st_dev == output.st_dev &&
           file.st_ino == output.st_ino;
}

int ShowCoordinates(const ParsedWords& parsed, const Streams& streams) {
    if (parsed.files.size() != 1) return UsageError(streams.err, "xyz takes one INPUT file");
    const Reporter report = StreamReporter(streams.out, streams.err, parsed.quiet);
    return session::ReadCoordinateFile(parsed.files[0], session::NamingFile(parsed.files[0], report)) ? kDone : kFailed;
}

int RunCoordinatesCommand(std::span<const std::string> words, const Streams& streams) {
    const ParsedWords parsed = ParseWords(nullptr, kCoordinatesCommand, words);
    if (parsed.help) {
        streams.out << CoordinatesHelp();
        return kDone;
    }
    if (parsed.problem) return UsageError(streams.err, *parsed.problem);
    return ShowCoordinates(parsed, streams);
}

// INPUT to OUTPUT through every step.
int RunOnce(const ChainCommand& chain, const Streams& streams) {
    const ParsedWords& words = chain.words;
    if (words.jobs) return UsageError(streams.err, "--jobs applies to a batch (--out-dir)");
    if (words.files.size() != 2) {
        const std::string who = chain.steps.size() == 1 ? chain.steps[0].entry->command : "a chain";
        return UsageError(streams.err, who + " takes an INPUT and an OUTPUT file");
    }
    const std::string& input = words.files[0];
    const std::string& output = words.files[1];
    if (auto problem = QualityProblem(OutputFormat(output, words.format), words.quality)) {
        return UsageError(streams.err, *problem);
    }
    if (NamesStandardStream(output) && streams.outIsTerminal) {
        Say(streams.err, "standard output is a terminal; send the image to a file or a pipe");
        return kFailed;
    }
    if (NamesStandardStream(input) && streams.inIsTerminal) {
        Say(streams.err, "standard input is a terminal; give a file or a pipe");
        return kFailed;
    }
    // An image written to standard output ("- | next") must not have the
    // intensity samples in front of it.
    const Reporter report =
        StreamReporter(NamesStandardOutput(output) ? streams.err : streams.out, streams.err, words.quiet);
    const std::string inputName = NamesStandardStream(input) ? kStandardInputName : input;
    std::optional<ImageRecord> source = ReadInput(input, streams.in, session::NamingFile(inputName, report));
    if (!source) return kFailed;
    StepTimes times;
    if (words.time && !words.quiet) times = [&](const std::string& line) { Say(streams.err, line); };
    const std::optional<ImageRecord> result = RunChain(chain.steps, std::move(*source), report, times);
    if (!result) return kFailed;
    const WriteSettings settings{words.quality.value_or(WriteSettings::kDefaultQuality)};
    return WriteResult(*result, output, words.format, settings, streams.out, report) ? kDone : kFailed;
}

}  // namespace

int RunCommandLine(std::span<const std::string> arguments, const Streams& streams) {
    if (arguments.empty()) return UsageError(streams.err, "no command given");
    const std::string& command = arguments[0];
    if (command == "--help" || command == "-h" || command == "help") {
        streams.out << UsageText();
        return kDone;
    }
    if (command == "--version") {
        streams.out << kProgram << ' ' << VersionText() << '\n';
        return kDone;
    }
    if (command == kCoordinatesCommand) return RunCoordinatesCommand(arguments.subspan(1), streams);
    if (command == kHistogramCommand) return RunHistogramCommand(arguments.subspan(1), streams);
    if (FindOperationByCommand(command) == nullptr) return UsageError(streams.err, UnknownCommand(command, false));

    const ChainCommand chain = ParseChain(arguments);
    if (chain.help != nullptr) {
        streams.out << CommandHelp(*chain.help);
        return kDone;
    }
    if (chain.words.problem) return UsageError(streams.err, *chain.words.problem);
    // A batch's jobs share these threads rather than bringing as many each.
    if (chain.words.threads) SetThreadCount(*chain.words.threads);
    return chain.words.outDir ? RunBatchCommand(chain, streams) : RunOnce(chain, streams);
}

int RunCommandLine(std::span<const std::string> arguments, std::ostream& out, std::ostream& err) {
    std::istringstream nothing;
    return RunCommandLine(arguments, Streams{nothing, out, err});
}

}  // namespace lumagrove::cli
