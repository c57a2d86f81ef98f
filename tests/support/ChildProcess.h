#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace lumagrove::testing {

// How a program run ended and what it wrote.
struct ProgramRun {
    int status = -1;  // the exit status, or -1 when a signal ended it
    int signal = 0;   // the signal that ended it, if one did
    std::string out;
    std::string err;
};

// Runs `program` with `arguments`, its standard input, output and error
// pipes of our own, as a shell pipeline would connect them: `input` is fed
// while the output is read, so neither side waits on the other. After
// `outputLimit` bytes the output pipe is closed, as a reader that has seen
// enough (head) does.
ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      std::string_view input = {}, std::size_t outputLimit = std::numeric_limits<std::size_t>::max());

// Runs `program` with all three standard streams on a new pseudo-terminal
// `columns` wide, as from an interactive shell; `out` holds everything the
// terminal showed (line feeds arrive as "\r\n").
ProgramRun RunOnTerminal(const std::string& program, const std::vector<std::string>& arguments, int columns);

}  // namespace lumagrove::testing
