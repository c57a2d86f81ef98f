#include "python/OperationFunctions.h"

#include <memory>
#include <new>
#include <string>
#include <vector>

#include "python/Errors.h"
#include "python/ImageArrays.h"
#include "python/Interrupts.h"
#include "python/OptionKeywords.h"
#include "python/PythonFunctions.h"
#include "session/RunEntry.h"

namespace py = pybind11;

namespace lumagrove::python {
namespace {

py::object Run(const OperationEntry& entry, const ImageArgument& image, const OperationArguments& arguments) {
    CapturedMessages messages;
    session::EntryRun run;
    StopToken stop;
    try {
        const InterruptStops interrupt(stop);
        // Nothing below touches a Python object, so other threads run meanwhile.
        py::gil_scoped_release unlocked;
        const StopScope scope(stop);
        PixelArray storage;
        run = session::RunEntry(entry, image.source(storage), arguments, messages.reporter());
    } catch (const std::bad_alloc&) {
        RaiseOutOfMemory();  // the packed copy of a strided view did not fit
    }
    if (run.stopped) RaiseInterrupted();
    if (run.result) return ArrayOf(std::move(run.result->pixels), run.result->width, run.result->height);
    RaiseIfOutOfMemory(messages);
    // It did not run because the image is not one it takes (it said which),
    // or it ran and could not finish: the Fourier plan is the one such failure.
    Raise(run.finished ? PyExc_RuntimeError : PyExc_ValueError, messages.text());
}

// A command of the table as a Python function.
struct Operation {
    const OperationEntry* entry;
    std::string name;
    std::vector<Keyword> keywords;

    // "gaussian(image, /, *, sigma=1.0, threshold=150)": the options can only
    // be named, as on the command line.
    std::string signature() const {
        std::string text = name + "(image, /";
        if (!keywords.empty()) text += ", *";
        for (const Keyword& keyword : keywords) {
            text += ", " + keyword.name + "=" + py::repr(keyword.defaultValue).cast<std::string>();
        }
        return text + ")";
    }

    // "_run(7, image, sigma, threshold)": the row and the keywords' values in
    // the row's order.
    std::string call(std::size_t row) const {
        std::string text = "_run(" + std::to_string(row) + ", image";
        for (const Keyword& keyword : keywords) text += ", " + keyword.name;
        return text + ")";
    }

    // The command line's text for the command, and for each option its help.
    std::string docstring() const {
        std::string text = entry->commandSummary;
        if (!keywords.empty())
            text += "\n\nKeyword arguments (the options of lumagrove-cli " + std::string(entry->command) + "):";
        for (const Keyword& keyword : keywords) text += "\n    " + keyword.name + ": " + keyword.option->help;
        return text;
    }
};

std::vector<Operation> TableOperations() {
    std::vector<Operation> operations;
    for (const OperationEntry& entry : OperationTable()) {
        if (entry.command == nullptr || entry.run == nullptr) continue;
        operations.push_back({&entry, PythonName(entry.command), KeywordsOf(entry)});
    }
    return operations;
}

}  // namespace

void AddOperationFunctions(py::module_& module) {
    const auto operations = std::make_shared<const std::vector<Operation>>(TableOperations());
    module.def("_run", [operations](std::size_t row, py::handle image, const py::args& values) -> py::object {
        const Operation& operation = operations->at(row);
        const ImageArgument pixels(image, "image");
        OperationArguments arguments;
        for (std::size_t i = 0; i < operation.keywords.size(); ++i) {
            ApplyKeyword(operation.keywords[i], values[i], operation.name, arguments);
        }
        return Run(*operation.entry, pixels, arguments);
    });

    py::dict commands;
    for (std::size_t row = 0; row < operations->size(); ++row) {
        const Operation& operation = (*operations)[row];
        DefineFunction(module, operation.signature(), operation.call(row), operation.docstring());
        commands[operation.entry->command] = module.attr(operation.name.c_str());
    }
    // Read-only, so that no caller changes what every other caller finds.
    module.attr("COMMANDS") = py::module_::import("types").attr("MappingProxyType")(commands);
}

}  // namespace lumagrove::python
