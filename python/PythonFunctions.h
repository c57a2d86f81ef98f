#pragma once

#include <pybind11/pybind11.h>

#include <string>

namespace lumagrove::python {

// Defines `def <signature>: return <call>` in the module, with the docstring.
// The module's public functions are written this way, as namedtuple and
// dataclasses write theirs, around private functions in C++: being plain
// Python functions, they show their signature to help() and inspect, bind
// their arguments as Python does, and pickle by name, so that Dask and
// multiprocessing can send them to other processes.
void DefineFunction(pybind11::module_& module, const std::string& signature, const std::string& call,
                    const std::string& doc);

}  // namespace lumagrove::python
