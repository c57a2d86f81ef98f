#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "operations/OperationTable.h"

// A mistyped command or option gets the word the user most likely meant, so
// that the fix is in the message rather than in the help.
namespace lumagrove::cli {

// The word of `known` that `typed` most likely stands for: the nearest by
// Damerau-Levenshtein distance (a swap of neighbours is one edit) when it is
// at most two edits away and no other is as near; failing that, the only one
// `typed` begins. Leading dashes count on neither side, so "-sigma" finds
// "--sigma"; nothing when no word is that close.
std::optional<std::string> ClosestWord(std::string_view typed, std::span<const std::string> known);

// "unknown command 'gausian'; did you mean 'gaussian'?". A later step of a
// chain cannot be xyz or histogram, so they are offered only as the first word.
std::string UnknownCommand(const std::string& word, bool laterStepOfChain);

// "option --sigm does not apply to gaussian; did you mean --sigma?", offering
// the flags `entry` takes (for nullptr, the xyz command, the general ones).
// A word with one dash and nothing close is told where such a file name goes.
std::string UnknownOption(const OperationEntry* entry, const std::string& command, const std::string& flag);

}  // namespace lumagrove::cli
