#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/CommandLine.h"

namespace lumagrove::testing {

// What one run of the tool gave: its exit status and both streams.
struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the command line in this process, with `input` as standard input and
// neither stream a terminal.
inline CliRun Cli(const std::vector<std::string>& words, const std::string& input = {}) {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    CliRun run;
    run.status = cli::RunCommandLine(words, cli::Streams{in, out, err});
    run.out = out.str();
    run.err = err.str();
    return run;
}

}  // namespace lumagrove::testing
