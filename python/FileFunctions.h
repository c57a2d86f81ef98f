#pragma once

#include <pybind11/pybind11.h>

namespace lumagrove::python {

// Adds read(path), write(path, image) and read_xyz(path).
void AddFileFunctions(pybind11::module_& module);

}  // namespace lumagrove::python
