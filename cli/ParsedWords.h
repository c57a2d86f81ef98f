#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "formats/ImageFormat.h"
#include "operations/OperationTable.h"

namespace lumagrove::cli {

// The words after the command, sorted into what they ask for.
struct ParsedWords {
    OperationArguments arguments;  // starting from the documented defaults
    std::vector<std::string> files;
    bool time = false;
    bool quiet = false;  // --quiet: errors and standard output only
    bool help = false;
    std::optional<std::string> outDir;    // --out-dir: a batch, writing there
    std::optional<std::int32_t> jobs;     // --jobs
    std::optional<std::int32_t> threads;  // --threads
    const ImageFormat* format = nullptr;  // --format, over what OUTPUT's name says
    std::optional<int> quality;           // --quality, for JPEG results
    std::optional<std::string> problem;   // one line saying what is wrong
};

// An option every image command takes beside its own (the xyz command takes
// none of them).
struct ToolOption {
    const char* flag;       // "--jobs"
    const char* valueName;  // "N"
    const char* help;       // one line
    // Keeps the value in `parsed`; false when the text is not a valid one.
    bool (*take)(const std::string& text, ParsedWords& parsed);
};

// In the order help lists them.
std::span<const ToolOption> ToolOptions();

// Options are the flags `entry` takes (none for nullptr), the tool options
// (also none for nullptr), "--time", "--quiet" and "--help", each value
// either "--flag=value" or the next word, which may start with '-' ("--direction
// -30"). "--" ends the options; before it any other word starting with '-'
// is a problem, all but "-" itself (standard input or output), and after it
// every word is a file name. "--help" before "--" wins over any problem, so
// that help is always at hand.
ParsedWords ParseWords(const OperationEntry* entry, const std::string& command, std::span<const std::string> words);

}  // namespace lumagrove::cli
