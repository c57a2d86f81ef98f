#include "operations/Options.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace lumagrove {
namespace {

template <typename... Cases>
struct Overloaded : Cases... {
    using Cases::operator()...;
};
// Clang 14 does not deduce an aggregate's template arguments by itself.
template <typename... Cases>
Overloaded(Cases...) -> Overloaded<Cases...>;

std::optional<std::int32_t> ParseInteger(std::string_view text) {
    std::int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end) return std::nullopt;
    return value;
}

// strtod, not from_chars: it has always read what the C library reads
// (leading blanks, hexadecimal), and scripts may rely on that.
std::optional<double> ParseReal(std::string_view text) {
    const std::string copy(text);
    if (copy.empty()) return std::nullopt;
    char* stop = nullptr;
    errno = 0;
    const double value = std::strtod(copy.c_str(), &stop);
    if (errno != 0 || *stop != '\0' || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<OptionPoint> ParsePoint(std::string_view text) {
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    const auto x = ParseInteger(text.substr(0, comma));
    const auto y = ParseInteger(text.substr(comma + 1));
    if (!x || !y) return std::nullopt;
    return OptionPoint{*x, *y};
}

}  // namespace

std::optional<OptionValue> OptionDescriptor::parse(std::string_view text) const {
    return std::visit(Overloaded{
                          [&](const IntegerField&) -> std::optional<OptionValue> {
                              const auto value = ParseInteger(text);
                              if (!value) return std::nullopt;
                              return *value;
                          },
                          [&](const RealField&) -> std::optional<OptionValue> {
                              if (const auto value = ParseReal(text)) return *value;
                              return std::nullopt;
                          },
                          [&](const PointField&) -> std::optional<OptionValue> {
                              if (const auto value = ParsePoint(text)) return *value;
                              return std::nullopt;
                          },
                      },
                      field);
}

std::optional<std::string> OptionDescriptor::rangeProblem(const OptionValue& value, std::string_view name) const {
    const auto outside = [&](auto number, auto minimum, auto maximum) -> std::optional<std::string> {
        if (number < minimum) return std::string(name) + " must be at least " + ValueText(minimum);
        if (number > maximum) return std::string(name) + " must be at most " + ValueText(maximum);
        return std::nullopt;
    };
    return std::visit(
        Overloaded{
            [&](const IntegerField& integer, std::int32_t number) -> std::optional<std::string> {
                if (auto problem = outside(number, integer.minimum, integer.maximum)) return problem;
                if (integer.oddOnly && number % 2 == 0) return std::string(name) + " must be odd";
                return std::nullopt;
            },
            [&](const RealField& real, double number) { return outside(number, real.minimum, real.maximum); },
            [](const auto&, const auto&) -> std::optional<std::string> { return std::nullopt; },
        },
        field, value);
}

void OptionDescriptor::set(OperationArguments& arguments, const OptionValue& value) const {
    std::visit(Overloaded{
                   [&](const IntegerField& integer, std::int32_t number) { arguments.*integer.value = number; },
                   [&](const RealField& real, double number) { arguments.*real.value = number; },
                   [&](const PointField& point, const OptionPoint& at) {
                       arguments.*point.x = at.x;
                       arguments.*point.y = at.y;
                   },
                   [](const auto&, const auto&) {},
               },
               field, value);
}

OptionValue OptionDescriptor::valueIn(const OperationArguments& arguments) const {
    return std::visit(Overloaded{
                          [&](const IntegerField& integer) -> OptionValue { return arguments.*integer.value; },
                          [&](const RealField& real) -> OptionValue { return arguments.*real.value; },
                          [&](const PointField& point) -> OptionValue {
                              return OptionPoint{arguments.*point.x, arguments.*point.y};
                          },
                      },
                      field);
}

std::string OptionDescriptor::defaultText() const { return ValueText(defaultValue()); }

std::string ValueText(const OptionValue& value) {
    return std::visit(
        Overloaded{
            [](std::int32_t number) { return std::to_string(number); },
            // The shortest text that reads back as the same number,
            // always with a decimal point so that it reads as real.
            [](double number) {
                char text[32];
                const auto [end, error] = std::to_chars(text, text + sizeof text, number);
                std::string written(text, error == std::errc() ? end : text);
                if (written.find_first_of(".e") == std::string::npos) written += ".0";
                return written;
            },
            [](const OptionPoint& point) { return std::to_string(point.x) + "," + std::to_string(point.y); },
        },
        value);
}

}  // namespace lumagrove
