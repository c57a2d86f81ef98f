// Reads an image file (PGM, a picture, ... as `lumagrove-cli` reads it),
// smooths it with the Gaussian exactly as `lumagrove-cli gaussian` does (sigma
// 1.0, threshold 150), and writes the result as its name says (.png a PNG).
#include <iostream>

#include "operations/OperationTable.h"
#include "pictures/Pictures.h"
#include "session/ImageFiles.h"
#include "session/RunEntry.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "Usage: smooth INPUT OUTPUT\n";
        return 2;
    }
    const lumagrove::Reporter report = [](const lumagrove::Message& message) {
        std::cerr << message.caption << ": " << message.text << '\n';
    };
    // The table both programs read and write by: the pictures, then the
    // netpbm family and raw intensity files.
    const auto formats = lumagrove::ImageFormatsWithPictures();
    const auto image = lumagrove::session::ReadImageFile(argv[1], report, formats);
    if (!image) return 1;
    const lumagrove::OperationEntry& gaussian = *lumagrove::FindOperationByCommand("gaussian");
    const auto run = lumagrove::session::RunEntry(gaussian, *image, lumagrove::OperationArguments{}, report);
    if (!run.result) return 1;
    return lumagrove::session::WriteImageFile(*run.result, argv[2], report, formats) ? 0 : 1;
}
