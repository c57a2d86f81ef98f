#pragma once

#include <ostream>
#include <string>

#include "base/Reporter.h"

namespace lumagrove::cli {

inline constexpr char kProgram[] = "lumagrove-cli";

// What the user asked to see goes to `readouts`, standard output where
// scripts read it; problems go to standard error as "caption: text". Control
// characters in either (a file name's) are shown escaped.
Reporter StreamReporter(std::ostream& readouts, std::ostream& err);

// "lumagrove-cli: PROBLEM" and where to look, on one line each; returns the
// exit status of a usage error.
int UsageError(std::ostream& err, const std::string& problem);

}  // namespace lumagrove::cli
