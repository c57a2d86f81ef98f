#pragma once

#include <pybind11/pybind11.h>

#include <string>
#include <string_view>
#include <vector>

#include "operations/Operation.h"
#include "operations/OperationTable.h"

namespace lumagrove::python {

// One command-line option of an operation, as a keyword argument.
struct Keyword {
    std::string name;  // the flag without its dashes, made safe for Python
    const OptionDescriptor* option;
    pybind11::object defaultValue;  // the command line's default: 150, 1.0 or (0, 0)
};

// A command-line name as a Python name: dashes become underscores, and a
// name Python reserves gets a trailing underscore (from -> from_).
std::string PythonName(std::string_view cliName);

// The keyword arguments of an operation, in the order its row lists them.
std::vector<Keyword> KeywordsOf(const OperationEntry& entry);

// Sets an option from a Python value. The value is written as the command
// line would spell it and read by the option's own parser, so what it
// accepts, and how exactly it reads a number, are the command line's by
// construction. Raises TypeError for a value of the wrong kind and
// ValueError for one the command line would refuse.
void ApplyKeyword(const Keyword& keyword, pybind11::handle value, const std::string& function,
                  OperationArguments& arguments);

}  // namespace lumagrove::python
