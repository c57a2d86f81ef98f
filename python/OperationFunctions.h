#pragma once

#include <pybind11/pybind11.h>

namespace lumagrove::python {

// Adds one function per command of the operation table, named like the
// command, and COMMANDS, a dict from each command-line name to its function.
void AddOperationFunctions(pybind11::module_& module);

}  // namespace lumagrove::python
