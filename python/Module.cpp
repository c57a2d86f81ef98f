#include <pybind11/pybind11.h>

#include <string>

#include "base/Version.h"
#include "python/FileFunctions.h"
#include "python/HistogramFunction.h"
#include "python/OperationFunctions.h"
#include "python/ThreadFunctions.h"

PYBIND11_MODULE(lumagrove, module) {
    module.doc() =
        "Lumagrove's image operations on numpy arrays.\n\n"
        "Every command of lumagrove-cli is a function here, named like the command with underscores\n"
        "(lumagrove.lines_superimposed for lines-superimposed); its options are keyword arguments with\n"
        "the command line's defaults, and a point option is an (x, y) tuple. Images are 2-D uint8\n"
        "arrays; every function returns a new one, but histogram, which returns the 256 counts of\n"
        "the gray levels. Errors raise ValueError (an array or value the\n"
        "operation does not take), OSError (files), MemoryError and RuntimeError, with the program's\n"
        "own messages. Operations release the interpreter lock while they run.";
    // The release alone ("0.1"), as Python tools expect; --version of the
    // programs adds the commit.
    const std::string_view version = lumagrove::VersionText();
    module.attr("__version__") = std::string(version.substr(0, version.find(' ')));
    lumagrove::python::AddOperationFunctions(module);
    lumagrove::python::AddFileFunctions(module);
    lumagrove::python::AddHistogramFunction(module);
    lumagrove::python::AddThreadFunctions(module);
}
