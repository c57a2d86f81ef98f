#pragma once

#include <istream>
#include <ostream>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "operations/OperationTable.h"

namespace lumagrove::cli {

enum ExitCode { kDone = 0, kFailed = 1, kUsageError = 2 };

// Where a command line's words lead: "-" as INPUT reads `in` and as OUTPUT
// writes `out`, which also takes help and what the user asked to see (the
// xyz sample line, an intensity file's two samples); problems, --time lines
// and a batch's progress and summary go to `err`.
struct Streams {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
    // The width of the terminal `err` shows on, or 0 when it is not one; a
    // batch draws its progress line only on a terminal.
    int errColumns = 0;
    // An image is never sent to a terminal: the user would see bytes.
    bool outIsTerminal = false;
    // Nor read from one: the user would wait for a prompt that never comes.
    bool inIsTerminal = false;
};

// Runs one command line (without the program's name) and returns the exit
// status.
int RunCommandLine(std::span<const std::string> arguments, const Streams& streams);
// The same with nothing on standard input, and neither stream a terminal.
int RunCommandLine(std::span<const std::string> arguments, std::ostream& out, std::ostream& err);

// The --help text, built from the table of operations.
std::string UsageText();
// One command's own help: `lumagrove-cli COMMAND --help`. The xyz and
// histogram commands have no row in the table and texts of their own.
std::string CommandHelp(const OperationEntry& entry);
std::string CoordinatesHelp();
std::string HistogramHelp();

// The options every command but xyz and histogram takes, as help lists them: the flag
// with its value's name, and what it does.
std::vector<std::pair<std::string, std::string>> OptionRowsForEveryCommand();
// Titled paragraphs on pipes, chains and batches, then examples: the end of
// --help, and a section of the manual page.
std::string PipesChainsAndBatches();

}  // namespace lumagrove::cli
