#include <sys/ioctl.h>
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/CommandLine.h"

namespace {

// The width of the terminal on `descriptor`, or 0 when it is not a terminal.
int TerminalColumns(int descriptor) {
    if (isatty(descriptor) != 1) return 0;
    winsize size{};
    if (ioctl(descriptor, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
    return 80;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const lumagrove::cli::Streams streams{std::cin,
                                          std::cout,
                                          std::cerr,
                                          TerminalColumns(STDERR_FILENO),
                                          isatty(STDOUT_FILENO) == 1,
                                          isatty(STDIN_FILENO) == 1};
    return lumagrove::cli::RunCommandLine(arguments, streams);
}
