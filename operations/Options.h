#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "operations/Operation.h"

namespace lumagrove {

// The value of a point option, written "X,Y".
struct OptionPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const OptionPoint&, const OptionPoint&) = default;
};

// The kinds of value an option takes; OptionValue holds one, in this order.
enum class ValueKind { Integer, Real, Point };
using OptionValue = std::variant<std::int32_t, double, OptionPoint>;

// The field, or the two fields of a point, that an option sets, and the
// values that mean something to the operation (all of them unless a bound is
// given, or the value must be odd: a window with a middle pixel).
struct IntegerField {
    std::int32_t OperationArguments::*value;
    std::int32_t minimum = std::numeric_limits<std::int32_t>::min();
    std::int32_t maximum = std::numeric_limits<std::int32_t>::max();
    bool oddOnly = false;
};
struct RealField {
    double OperationArguments::*value;
    double minimum = -std::numeric_limits<double>::max();
    double maximum = std::numeric_limits<double>::max();
};
struct PointField {
    std::int32_t OperationArguments::*x;
    std::int32_t OperationArguments::*y;
};

// One command-line option, complete: what the tool parses, what its help
// prints, and what anything generated from it (manual pages, completion,
// other bindings) needs. Its default is the value a fresh OperationArguments
// holds, which is also where the desktop starts, so the two cannot differ.
struct OptionDescriptor {
    const char* flag;       // "--threshold"
    const char* valueName;  // "N", as the help shows the value
    std::variant<IntegerField, RealField, PointField> field;
    const char* help;  // one line

    ValueKind kind() const { return static_cast<ValueKind>(field.index()); }

    // The value `text` spells, or nothing when it spells no value of this
    // option's kind; whether the value is in range is asked separately.
    std::optional<OptionValue> parse(std::string_view text) const;
    // What is wrong with a value outside the option's range, naming the
    // option as the caller knows it ("--window must be at least 1"); nothing
    // for a value in range. Every front end asks this one question, so they
    // all refuse the same values in the same words.
    std::optional<std::string> rangeProblem(const OptionValue& value, std::string_view name) const;
    // Sets the field; a value of another kind than the option's is ignored.
    void set(OperationArguments& arguments, const OptionValue& value) const;
    OptionValue valueIn(const OperationArguments& arguments) const;

    OptionValue defaultValue() const { return valueIn(OperationArguments{}); }
    std::string defaultText() const;
};

// A value as the command line writes it: "150", "1.0", "12,7".
std::string ValueText(const OptionValue& value);

}  // namespace lumagrove
