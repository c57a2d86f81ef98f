// Reads a PGM file, smooths it with the Gaussian exactly as
// `lumagrove-cli gaussian` does (sigma 1.0, threshold 150), and writes the result.
#include <iostream>

#include "operations/OperationTable.h"
#include "session/ImageFiles.h"
#include "session/RunEntry.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "Usage: smooth INPUT.pgm OUTPUT.pgm\n";
        return 2;
    }
    const lumagrove::Reporter report = [](const lumagrove::Message& message) {
        std::cerr << message.caption << ": " << message.text << '\n';
    };
    const auto image = lumagrove::session::ReadImageFile(argv[1], report);
    if (!image) return 1;
    const lumagrove::OperationEntry& gaussian = *lumagrove::FindOperationByCommand("gaussian");
    const auto run = lumagrove::session::RunEntry(gaussian, *image, lumagrove::OperationArguments{}, report);
    if (!run.result) return 1;
    return lumagrove::session::WriteImageFile(*run.result, argv[2], report) ? 0 : 1;
}
