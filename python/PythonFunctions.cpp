#include "python/PythonFunctions.h"

namespace py = pybind11;

namespace lumagrove::python {

void DefineFunction(py::module_& module, const std::string& signature, const std::string& call,
                    const std::string& doc) {
    const std::string source = "def " + signature + ":\n    return " + call + "\n";
    const py::module_ builtins = py::module_::import("builtins");
    builtins.attr("exec")(builtins.attr("compile")(source, "<lumagrove>", "exec"), module.attr("__dict__"));
    const std::string name = signature.substr(0, signature.find('('));
    module.attr(name.c_str()).attr("__doc__") = doc;
}

}  // namespace lumagrove::python
