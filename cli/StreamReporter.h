#pragma once

#include <ostream>
#include <string>

#include "base/Reporter.h"

namespace lumagrove::cli {

inline constexpr char kProgram[] = "lumagrove-cli";

// Writes "lumagrove-cli: TEXT" on a line of its own: in a pipeline or a log
// every line on standard error says which program wrote it. Control
// characters (a file name's) are shown escaped.
void Say(std::ostream& err, const std::string& text);

// What --quiet leaves unsaid: a warning about a file that was still read.
inline bool IsWarning(const Message& message) { return message.kind == MessageKind::Notice; }

// What the user asked to see goes to `readouts`, standard output where
// scripts read it, as it is; problems and warnings go to standard error as
// "lumagrove-cli: caption: text", the warnings only when not `quiet`.
Reporter StreamReporter(std::ostream& readouts, std::ostream& err, bool quiet = false);

// "lumagrove-cli: PROBLEM" and where to look, on one line each; returns the
// exit status of a usage error.
int UsageError(std::ostream& err, const std::string& problem);

}  // namespace lumagrove::cli
