#include "cli/Suggestions.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "cli/GeneralOptions.h"
#include "cli/ParsedWords.h"

namespace lumagrove::cli {
namespace {

// Further than this, a word is a different word rather than a typo of it.
constexpr std::size_t kMostEdits = 2;

std::string_view WithoutDashes(std::string_view word) {
    return word.substr(std::min(word.find_first_not_of('-'), word.size()));
}

// Insertions, deletions, substitutions and swaps of neighbours that turn `a`
// into `b`, each letter edited once at most.
std::size_t EditDistance(std::string_view a, std::string_view b) {
    std::vector<std::vector<std::size_t>> cost(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i) cost[i][0] = i;
    for (std::size_t j = 0; j <= b.size(); ++j) cost[0][j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t substitution = cost[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1);
            cost[i][j] = std::min({cost[i - 1][j] + 1, cost[i][j - 1] + 1, substitution});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                cost[i][j] = std::min(cost[i][j], cost[i - 2][j - 2] + 1);
            }
        }
    }
    return cost[a.size()][b.size()];
}

std::vector<std::string> CommandNames(bool laterStepOfChain) {
    std::vector<std::string> names;
    for (const OperationEntry& entry : OperationTable()) {
        if (entry.command != nullptr) names.emplace_back(entry.command);
    }
    if (!laterStepOfChain) {
        names.emplace_back(kCoordinatesCommand);
        names.emplace_back(kHistogramCommand);
    }
    return names;
}

std::vector<std::string> FlagsOf(const OperationEntry* entry) {
    std::vector<std::string> flags;
    if (entry != nullptr) {
        for (const OptionDescriptor* option : entry->options) flags.emplace_back(option->flag);
        for (const ToolOption& option : ToolOptions()) flags.emplace_back(option.flag);
    }
    for (const GeneralOption& option : kGeneralOptions) flags.emplace_back(option.flag);
    return flags;
}

}  // namespace

std::optional<std::string> ClosestWord(std::string_view typed, std::span<const std::string> known) {
    const std::string_view name = WithoutDashes(typed);
    if (name.empty()) return std::nullopt;
    std::size_t nearest = std::numeric_limits<std::size_t>::max();
    std::vector<const std::string*> nearestWords;
    std::vector<const std::string*> begun;
    for (const std::string& word : known) {
        const std::string_view knownName = WithoutDashes(word);
        if (knownName.empty()) continue;  // "--" names nothing to mistype
        const std::size_t distance = EditDistance(name, knownName);
        if (distance < nearest) nearestWords.clear();
        if (distance <= nearest) {
            nearest = distance;
            nearestWords.push_back(&word);
        }
        if (knownName.starts_with(name)) begun.push_back(&word);
    }
    if (nearest <= kMostEdits && nearestWords.size() == 1) return *nearestWords[0];
    if (begun.size() == 1) return *begun[0];
    return std::nullopt;
}

std::string UnknownCommand(const std::string& word, bool laterStepOfChain) {
    std::string problem = "unknown command '" + word + "'";
    const std::vector<std::string> names = CommandNames(laterStepOfChain);
    if (const std::optional<std::string> meant = ClosestWord(word, names))
        problem += "; did you mean '" + *meant + "'?";
    return problem;
}

std::string UnknownOption(const OperationEntry* entry, const std::string& command, const std::string& flag) {
    std::string problem = "option " + flag + " does not apply to " + command;
    const std::vector<std::string> flags = FlagsOf(entry);
    if (const std::optional<std::string> meant = ClosestWord(flag, flags)) {
        problem += "; did you mean " + *meant + "?";
    } else if (!flag.starts_with("--")) {
        problem += "; a file of that name goes after --";
    }
    return problem;
}

}  // namespace lumagrove::cli
