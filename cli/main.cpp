#include <sys/ioctl.h>
#include <unistd.h>

#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "base/Bands.h"
#include "cli/CommandLine.h"

namespace {

// The width of the terminal on `descriptor`, or 0 when it is not a terminal.
int TerminalColumns(int descriptor) {
    if (isatty(descriptor) != 1) return 0;
    winsize size{};
    if (ioctl(descriptor, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
    return 80;
}

// Ctrl+C asks the work to stop: an operation under way ends without a result,
// so its file is not written, and a batch starts no further file. A
// second Ctrl+C ends it at once, the default again by then.
void AskToStop(int) { lumagrove::ProcessStopToken().request(); }

void StopOnInterrupt() {
    struct sigaction action {};
    action.sa_handler = AskToStop;
    action.sa_flags = SA_RESETHAND | SA_RESTART;  // reads and writes under way carry on
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
}

// What a shell expects of a program ended by Ctrl+C.
constexpr int kInterrupted = 128 + SIGINT;

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
    StopOnInterrupt();
    const int status = lumagrove::cli::RunCommandLine(arguments, streams);
    if (!lumagrove::ProcessStopToken().requested()) return status;
    std::cerr << "lumagrove-cli: stopped\n";
    return kInterrupted;
}
