#include <iostream>
#include <string>
#include <vector>

#include "cli/CommandLine.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return lumagrove::cli::RunCommandLine(arguments, std::cout, std::cerr);
}
