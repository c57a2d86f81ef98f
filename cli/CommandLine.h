#pragma once

#include <ostream>
#include <span>
#include <string>

namespace lumagrove::cli {

enum ExitCode { kDone = 0, kFailed = 1, kUsageError = 2 };

// Runs one command line (without the program's name) and returns the exit
// status. Results go to files; messages to err; the xyz sample line to out.
int RunCommandLine(std::span<const std::string> arguments, std::ostream& out, std::ostream& err);

// The --help text, built from the table of operations.
std::string UsageText();

}  // namespace lumagrove::cli
