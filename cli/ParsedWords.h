#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "operations/OperationTable.h"

namespace lumagrove::cli {

// The words after the command, sorted into what they ask for.
struct ParsedWords {
    OperationArguments arguments;  // starting from the documented defaults
    std::vector<std::string> files;
    bool time = false;
    bool help = false;
    std::optional<std::string> problem;  // one line saying what is wrong
};

// Options are the flags `entry` takes (none for nullptr), "--time" and
// "--help", each value either "--flag=value" or the next word; "--" ends the
// options, and every other word is a file name. "--help" before "--" wins over
// any problem, so that help is always at hand.
ParsedWords ParseWords(const OperationEntry* entry, const std::string& command, std::span<const std::string> words);

}  // namespace lumagrove::cli
