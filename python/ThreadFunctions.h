#pragma once

#include <pybind11/pybind11.h>

namespace lumagrove::python {

// Adds set_num_threads(n) and get_num_threads().
void AddThreadFunctions(pybind11::module_& module);

}  // namespace lumagrove::python
