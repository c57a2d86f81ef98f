#include "cli/HistogramCommand.h"

#include <vector>

#include "cli/GeneralOptions.h"
#include "cli/InputOutput.h"
#include "cli/ParsedWords.h"
#include "cli/StandardStreams.h"
#include "cli/StreamReporter.h"
#include "imaging/LevelHistogram.h"
#include "session/Messages.h"

namespace lumagrove::cli {

int RunHistogramCommand(std::span<const std::string> words, const Streams& streams) {
    // --json is this command's own flag; the rest are read as for xyz.
    std::vector<std::string> others;
    bool json = false;
    bool optionsEnded = false;
    for (const std::string& word : words) {
        optionsEnded = optionsEnded || word == "--";
        if (!optionsEnded && word == kHistogramJson) {
            json = true;
        } else {
            others.push_back(word);
        }
    }
    const ParsedWords parsed = ParseWords(nullptr, kHistogramCommand, others);
    if (parsed.help) {
        streams.out << HistogramHelp();
        return kDone;
    }
    if (parsed.problem) return UsageError(streams.err, *parsed.problem);
    if (parsed.files.size() != 1) return UsageError(streams.err, "histogram takes one INPUT file");
    const std::string& input = parsed.files[0];
    if (NamesStandardStream(input) && streams.inIsTerminal) {
        Say(streams.err, "standard input is a terminal; give a file or a pipe");
        return kFailed;
    }
    // Standard output carries the histogram alone: an intensity file's
    // samples go to standard error. The histogram is data, so --quiet keeps it.
    const Reporter report = StreamReporter(streams.err, streams.err, parsed.quiet);
    const std::string inputName = NamesStandardStream(input) ? kStandardInputName : input;
    const std::optional<ImageRecord> image = ReadInput(input, streams.in, session::NamingFile(inputName, report));
    if (!image) return kFailed;
    const ImageView view{{image->pixels.data(), image->pixels.size()}, image->width, image->height};
    const Histogram counts = LevelCounts(view);
    const LevelStatistics statistics = StatisticsOf(counts);
    streams.out << (json ? HistogramJson(counts, statistics) : HistogramCsv(counts, statistics));
    return kDone;
}

}  // namespace lumagrove::cli
