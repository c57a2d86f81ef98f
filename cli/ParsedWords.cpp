#include "cli/ParsedWords.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "cli/InputOutput.h"
#include "cli/StandardStreams.h"
#include "cli/Suggestions.h"
#include "pictures/Pictures.h"
#include "session/ImageFiles.h"

namespace lumagrove::cli {
namespace {

constexpr std::string_view kEndOfOptions = "--";

bool AsksForHelp(std::span<const std::string> words) {
    const auto optionsEnd = std::find(words.begin(), words.end(), kEndOfOptions);
    return std::find(words.begin(), optionsEnd, "--help") != optionsEnd;
}

bool TakeOutDir(const std::string& text, ParsedWords& parsed) {
    if (text.empty()) return false;
    parsed.outDir = text;
    return true;
}

// The whole text as a whole number from `least` to `most`.
std::optional<std::int32_t> CountBetween(const std::string& text, std::int32_t least,
                                         std::int32_t most = std::numeric_limits<std::int32_t>::max()) {
    std::int32_t count = 0;
    const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    if (error != std::errc() || stop != text.data() + text.size() || count < least || count > most) return std::nullopt;
    return count;
}

bool TakeJobs(const std::string& text, ParsedWords& parsed) {
    parsed.jobs = CountBetween(text, 1);
    return parsed.jobs.has_value();
}

bool TakeThreads(const std::string& text, ParsedWords& parsed) {
    parsed.threads = CountBetween(text, 1);
    return parsed.threads.has_value();
}

bool TakeQuality(const std::string& text, ParsedWords& parsed) {
    parsed.quality = CountBetween(text, 1, 100);
    return parsed.quality.has_value();
}

bool TakeFormat(const std::string& text, ParsedWords& parsed) {
    parsed.format = session::FormatWrittenAs(text, ImageFormatsWithPictures());
    return parsed.format != nullptr;
}

constexpr ToolOption kToolOptions[] = {
    {"--out-dir", "DIR", "run over every INPUT, writing DIR/<INPUT's name without extension>.<format>", TakeOutDir},
    {"--jobs", "N", "with --out-dir: work on N files at once (default: one per core)", TakeJobs},
    {"--format", "FORMAT", "write results in FORMAT, whatever OUTPUT's name says", TakeFormat},
    {"--quality", "N", "JPEG results' quality, 1 to 100 (default 95)", TakeQuality},
    {"--threads", "N", "share each operation's work among N threads (default: LUMAGROVE_THREADS, or every core)",
     TakeThreads},
};

const ToolOption* FindToolOption(std::string_view flag) {
    for (const ToolOption& option : kToolOptions) {
        if (flag == option.flag) return &option;
    }
    return nullptr;
}

// Sets the option words[at] names, taking its value from the same word or
// the next; returns what is wrong, if anything.
std::optional<std::string> TakeOption(const OperationEntry* entry, const std::string& command,
                                      std::span<const std::string> words, std::size_t& at, ParsedWords& parsed) {
    const std::string& word = words[at];
    const std::size_t equals = word.find('=');
    const std::string flag = word.substr(0, equals);
    const OptionDescriptor* option = entry == nullptr ? nullptr : FindOption(*entry, flag);
    const ToolOption* toolOption = entry == nullptr ? nullptr : FindToolOption(flag);
    if (option == nullptr && toolOption == nullptr) return UnknownOption(entry, command, flag);
    std::string text;
    if (equals != std::string::npos) {
        text = word.substr(equals + 1);
    } else if (at + 1 < words.size()) {
        text = words[++at];
    } else {
        return "option " + flag + " needs a value";
    }
    const std::string invalid = "'" + text + "' is not a valid value for " + flag;
    if (toolOption != nullptr) {
        if (!toolOption->take(text, parsed)) return invalid;
        return std::nullopt;
    }
    const std::optional<OptionValue> value = option->parse(text);
    if (!value) return invalid;
    if (auto problem = option->rangeProblem(*value, flag)) return problem;
    option->set(parsed.arguments, *value);
    return std::nullopt;
}

}  // namespace

std::span<const ToolOption> ToolOptions() { return kToolOptions; }

ParsedWords ParseWords(const OperationEntry* entry, const std::string& command, std::span<const std::string> words) {
    ParsedWords parsed;
    if (AsksForHelp(words)) {
        parsed.help = true;
        return parsed;
    }
    bool optionsEnded = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (optionsEnded || !word.starts_with('-') || NamesStandardStream(word)) {
            parsed.files.push_back(word);
        } else if (word == kEndOfOptions) {
            optionsEnded = true;
        } else if (word == "--time") {
            parsed.time = true;
        } else if (word == "--quiet") {
            parsed.quiet = true;
        } else if ((parsed.problem = TakeOption(entry, command, words, i, parsed))) {
            break;
        }
    }
    return parsed;
}

}  // namespace lumagrove::cli
