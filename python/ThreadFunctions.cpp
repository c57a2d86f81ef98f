#include "python/ThreadFunctions.h"

#include <string>

#include "base/Bands.h"
#include "python/Errors.h"
#include "python/PythonFunctions.h"

namespace py = pybind11;

namespace lumagrove::python {

void AddThreadFunctions(py::module_& module) {
    module.def("_set_num_threads", [](py::handle value) {
        if (!py::isinstance<py::int_>(value) || py::isinstance<py::bool_>(value)) {
            Raise(PyExc_TypeError, "n must be an int, not " + py::repr(value).cast<std::string>());
        }
        if (value.cast<py::int_>() < py::int_(0)) {
            Raise(PyExc_ValueError, "n must be 0 (every core) or more, not " + py::repr(value).cast<std::string>());
        }
        const auto threads = value.cast<long long>();
        SetThreadCount(threads > 4096 ? 4096 : static_cast<std::int32_t>(threads));
    });
    module.def("_get_num_threads", &ThreadCount);
    DefineFunction(module, "set_num_threads(n, /)", "_set_num_threads(n)",
                   "Share each operation's work among n threads; 0 means every core. Python threads that call\n"
                   "operations at once share these threads rather than bringing as many each.");
    DefineFunction(module, "get_num_threads()", "_get_num_threads()",
                   "The threads each operation's work is shared among: LUMAGROVE_THREADS when set, otherwise\n"
                   "every core, until set_num_threads changes it.");
}

}  // namespace lumagrove::python
