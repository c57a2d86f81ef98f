#include <pybind11/embed.h>

#include <gtest/gtest.h>

#include "frequency/FftwPlanner.h"
#include "python/OperationFunctions.h"

namespace py = pybind11;

namespace lumagrove::python {
namespace {

// FFTW cannot be made to fail from Python, so the one road to RuntimeError is
// walked here, where the planner's refusal can be switched on: the module's
// functions run inside an embedded interpreter, on this thread.
TEST(PythonModule, APlanFailureIsARuntimeErrorWithTheProgramsText) {
    const py::scoped_interpreter interpreter;
    const py::object created = py::module_::import("types").attr("ModuleType")("lumagrove");
    auto module = py::reinterpret_borrow<py::module_>(created);
    AddOperationFunctions(module);
    const py::object image = py::module_::import("numpy").attr("zeros")(py::make_tuple(16, 12), "uint8");

    for (const char* name : {"spectrum", "highpass", "lowpass"}) {
        {
            const ScopedPlanRefusal refusal;
            try {
                module.attr(name)(image);
                ADD_FAILURE() << name << " gave a picture without a plan";
            } catch (py::error_already_set& error) {
                EXPECT_TRUE(error.matches(PyExc_RuntimeError)) << name;
                EXPECT_EQ(py::str(error.value()).cast<std::string>(), "Error Creating Plan") << name;
            }
        }
        EXPECT_EQ(py::len(module.attr(name)(image)), 16u) << name << " after the refusal";
    }
}

}  // namespace
}  // namespace lumagrove::python
