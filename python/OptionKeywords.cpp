#include "python/OptionKeywords.h"

#include <cstdio>
#include <variant>

#include "python/Errors.h"

namespace py = pybind11;

namespace lumagrove::python {
namespace {

py::object PythonValue(const OptionValue& value) {
    if (const auto* integer = std::get_if<std::int32_t>(&value)) return py::int_(*integer);
    if (const auto* real = std::get_if<double>(&value)) return py::float_(*real);
    const auto& point = std::get<OptionPoint>(value);
    return py::make_tuple(point.x, point.y);
}

std::string TypeName(py::handle value) {
    return py::str(py::type::handle_of(value).attr("__name__")).cast<std::string>();
}

[[noreturn]] void WrongKind(const Keyword& keyword, py::handle value, const std::string& function) {
    static constexpr const char* kExpected[] = {"an integer", "a number", "an (x, y) pair of integers"};
    Raise(PyExc_TypeError, function + "() argument '" + keyword.name + "' must be " +
                               kExpected[static_cast<int>(keyword.option->kind())] + ", not " + TypeName(value));
}

bool IsInteger(py::handle value) { return PyIndex_Check(value.ptr()) != 0; }

// Any number that float() takes as a number (int, float, numpy scalars),
// but not text.
bool IsReal(py::handle value) {
    const PyNumberMethods* number = Py_TYPE(value.ptr())->tp_as_number;
    return IsInteger(value) || (number != nullptr && number->nb_float != nullptr);
}

std::string IntegerText(py::handle value) {
    const auto integer = py::reinterpret_steal<py::object>(PyNumber_Index(value.ptr()));
    if (!integer) throw py::error_already_set();
    return py::str(integer);
}

// The shortest text that reads back as exactly the same double.
std::string RealText(py::handle value) {
    const auto number = py::reinterpret_steal<py::object>(PyNumber_Float(value.ptr()));
    if (!number) throw py::error_already_set();
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", number.cast<double>());
    return text;
}

std::string ValueText(const Keyword& keyword, py::handle value, const std::string& function) {
    switch (keyword.option->kind()) {
        case ValueKind::Integer:
            if (IsInteger(value)) return IntegerText(value);
            break;
        case ValueKind::Real:
            if (IsReal(value)) return RealText(value);
            break;
        case ValueKind::Point:
            if (PySequence_Check(value.ptr()) && !py::isinstance<py::str>(value) && !py::isinstance<py::bytes>(value) &&
                py::len(value) == 2) {
                const auto pair = py::reinterpret_borrow<py::sequence>(value);
                if (IsInteger(pair[0]) && IsInteger(pair[1])) return IntegerText(pair[0]) + "," + IntegerText(pair[1]);
            }
            break;
    }
    WrongKind(keyword, value, function);
}

}  // namespace

std::string PythonName(std::string_view cliName) {
    std::string name(cliName);
    for (char& c : name) {
        if (c == '-') c = '_';
    }
    if (py::module_::import("keyword").attr("iskeyword")(name).cast<bool>()) name += '_';
    return name;
}

std::vector<Keyword> KeywordsOf(const OperationEntry& entry) {
    std::vector<Keyword> keywords;
    for (const OptionDescriptor* option : entry.options) {
        keywords.push_back(
            {PythonName(std::string_view(option->flag).substr(2)), option, PythonValue(option->defaultValue())});
    }
    return keywords;
}

void ApplyKeyword(const Keyword& keyword, py::handle value, const std::string& function,
                  OperationArguments& arguments) {
    const std::optional<OptionValue> parsed = keyword.option->parse(ValueText(keyword, value, function));
    if (!parsed) {
        Raise(PyExc_ValueError,
              function + "(): " + py::repr(value).cast<std::string>() + " is not a valid value for " + keyword.name);
    }
    if (const auto problem = keyword.option->rangeProblem(*parsed, keyword.name)) {
        Raise(PyExc_ValueError, function + "(): " + *problem);
    }
    keyword.option->set(arguments, *parsed);
}

}  // namespace lumagrove::python
