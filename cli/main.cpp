#include <sys/ioctl.h>
#include <unistd.h>

#include <csignal>
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
    // Past a file size limit (ulimit -f) the kernel would end the tool without
    // a word; ignored, the write fails instead and the save says why, leaving
    // the file as it was.
    std::signal(SIGXFSZ, SIG_IGN);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const lumagrove::cli::Streams streams{std::cin,
                                          std::cout,
                                          std::cerr,
                                          TerminalColumns(STDERR_FILENO),
                                          isatty(STDOUT_FILENO) == 1,
                                          isatty(STDIN_FILENO) == 1};
    return lumagrove::cli::RunCommandLine(arguments, streams);
}
