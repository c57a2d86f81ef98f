#pragma once

#include <pybind11/pybind11.h>

namespace lumagrove::python {

// Adds histogram(image): the count of each gray level.
void AddHistogramFunction(pybind11::module_& module);

}  // namespace lumagrove::python
