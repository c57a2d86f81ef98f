#pragma once

#include <ostream>
#include <span>
#include <string>

#include "operations/OperationTable.h"

namespace lumagrove::cli {

enum ExitCode { kDone = 0, kFailed = 1, kUsageError = 2 };

// Runs one command line (without the program's name) and returns the exit
// status. Results go to files; what the user asked to see (the xyz sample
// line, an intensity file's two samples) and help go to out; problems to err.
int RunCommandLine(std::span<const std::string> arguments, std::ostream& out, std::ostream& err);

// The --help text, built from the table of operations.
std::string UsageText();
// One command's own help: `lumagrove-cli COMMAND --help`. The xyz command has
// no row in the table and its own text.
std::string CommandHelp(const OperationEntry& entry);
std::string CoordinatesHelp();

}  // namespace lumagrove::cli
