#include "cli/ParsedWords.h"

#include <algorithm>

namespace lumagrove::cli {
namespace {

constexpr std::string_view kEndOfOptions = "--";

bool AsksForHelp(std::span<const std::string> words) {
    const auto optionsEnd = std::find(words.begin(), words.end(), kEndOfOptions);
    return std::find(words.begin(), optionsEnd, "--help") != optionsEnd;
}

// Sets the option words[at] names, taking its value from the same word or
// the next; returns what is wrong, if anything.
std::optional<std::string> TakeOption(const OperationEntry* entry, const std::string& command,
                                      std::span<const std::string> words, std::size_t& at,
                                      OperationArguments& arguments) {
    const std::string& word = words[at];
    const std::size_t equals = word.find('=');
    const std::string flag = word.substr(0, equals);
    const OptionDescriptor* option = entry == nullptr ? nullptr : FindOption(*entry, flag);
    if (option == nullptr) return "option " + flag + " does not apply to " + command;
    std::string text;
    if (equals != std::string::npos) {
        text = word.substr(equals + 1);
    } else if (at + 1 < words.size()) {
        text = words[++at];
    } else {
        return "option " + flag + " needs a value";
    }
    const std::optional<OptionValue> value = option->parse(text);
    if (!value) return "'" + text + "' is not a valid value for " + flag;
    option->set(arguments, *value);
    return std::nullopt;
}

}  // namespace

ParsedWords ParseWords(const OperationEntry* entry, const std::string& command, std::span<const std::string> words) {
    ParsedWords parsed;
    if (AsksForHelp(words)) {
        parsed.help = true;
        return parsed;
    }
    bool optionsEnded = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (optionsEnded || !word.starts_with("--")) {
            parsed.files.push_back(word);
        } else if (word == kEndOfOptions) {
            optionsEnded = true;
        } else if (word == "--time") {
            parsed.time = true;
        } else if ((parsed.problem = TakeOption(entry, command, words, i, parsed.arguments))) {
            break;
        }
    }
    return parsed;
}

}  // namespace lumagrove::cli
