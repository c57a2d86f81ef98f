#include "python/HistogramFunction.h"

#include <pybind11/numpy.h>

#include <new>

#include "imaging/LevelHistogram.h"
#include "python/Errors.h"
#include "python/ImageArrays.h"
#include "python/PythonFunctions.h"

namespace py = pybind11;

namespace lumagrove::python {
namespace {

py::object LevelCountsOf(py::handle image) {
    const ImageArgument pixels(image, "image");
    Histogram counts{};
    try {
        py::gil_scoped_release unlocked;
        PixelArray storage;
        counts = LevelCounts(pixels.source(storage));
    } catch (const std::bad_alloc&) {
        RaiseOutOfMemory();  // the packed copy of a strided view did not fit
    }
    py::array_t<std::int64_t> array(py::ssize_t{256});
    std::int64_t* to = array.mutable_data();
    for (std::size_t level = 0; level < counts.size(); ++level) to[level] = counts[level];
    return array;
}

}  // namespace

void AddHistogramFunction(py::module_& module) {
    module.def("_histogram", &LevelCountsOf);
    DefineFunction(module, "histogram(image, /)", "_histogram(image)",
                   "The count of each gray level 0 to 255 of a 2-D uint8 array, as a new int64 array of 256\n"
                   "(lumagrove-cli histogram prints the same counts and the statistics).");
}

}  // namespace lumagrove::python
