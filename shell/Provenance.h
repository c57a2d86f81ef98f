#pragma once

#include <string>
#include <vector>

#include "operations/OperationTable.h"

namespace lumagrove::shell {

// Where a window's image came from: the file it was read from and the
// operations, with the values they ran with, that led from it to the image.
// It is what turns an image found by hand into a batch over many files.
struct Provenance {
    struct Step {
        const OperationEntry* entry;
        OperationArguments arguments;
    };
    std::string file;
    std::vector<Step> steps;

    // The file's name without its folders, for the performance list.
    std::string fileBaseName() const;
    // The command-line tool's chain that makes the image from its file,
    // "lumagrove-cli gaussian --sigma 2.0 --threshold 150 then negate scene.pgm out.pgm",
    // and the same as one line of Python; empty for an image straight from its file.
    std::string commandLine() const;
    std::string pythonLine() const;
};

}  // namespace lumagrove::shell
