#include "cli/HistogramCommand.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "cli/GeneralOptions.h"
#include "cli/InputOutput.h"
#include "cli/ParsedWords.h"
#include "cli/StandardStreams.h"
#include "cli/StreamReporter.h"
#include "imaging/LevelHistogram.h"
#include "session/Messages.h"

namespace lumagrove::cli {
namespace {

// Six significant digits, in the C locale's form whatever the user's locale:
// "127.5", "0.00123", "1.5e-05".
std::string Real(double value) {
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6);
    return std::string(text, error == std::errc() ? end : text);
}

// The statistics as name and value, in the order both forms print them.
std::vector<std::pair<const char*, std::string>> StatisticRows(const LevelStatistics& statistics) {
    return {{"pixels", std::to_string(statistics.pixels)},   {"minimum", std::to_string(statistics.minimum)},
            {"maximum", std::to_string(statistics.maximum)}, {"mean", Real(statistics.mean)},
            {"stddev", Real(statistics.standardDeviation)},  {"mode", std::to_string(statistics.mode)}};
}

void WriteCsv(std::ostream& out, const Histogram& counts, const LevelStatistics& statistics) {
    out << "level,count\n";
    for (std::int32_t level = 0; level < 256; ++level) out << level << ',' << counts[level] << '\n';
    for (const auto& [name, value] : StatisticRows(statistics)) out << "# " << name << '=' << value << '\n';
}

void WriteJson(std::ostream& out, const Histogram& counts, const LevelStatistics& statistics) {
    out << "{\"counts\":[";
    for (std::int32_t level = 0; level < 256; ++level) out << (level == 0 ? "" : ",") << counts[level];
    out << ']';
    for (const auto& [name, value] : StatisticRows(statistics)) out << ",\"" << name << "\":" << value;
    out << "}\n";
}

}  // namespace

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
    json ? WriteJson(streams.out, counts, statistics) : WriteCsv(streams.out, counts, statistics);
    return kDone;
}

}  // namespace lumagrove::cli
