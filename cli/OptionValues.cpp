#include "cli/OptionValues.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace lumagrove::cli {
namespace {

bool ParseInteger(std::string_view text, std::int32_t& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end;
}

bool ParseReal(std::string_view text, double& value) {
    const std::string copy(text);
    if (copy.empty()) return false;
    char* stop = nullptr;
    errno = 0;
    value = std::strtod(copy.c_str(), &stop);
    return errno == 0 && *stop == '\0' && std::isfinite(value);
}

bool ParsePoint(std::string_view text, std::int32_t& x, std::int32_t& y) {
    const std::size_t comma = text.find(',');
    return comma != std::string_view::npos && ParseInteger(text.substr(0, comma), x) &&
           ParseInteger(text.substr(comma + 1), y);
}

std::string PointText(std::int32_t x, std::int32_t y) { return std::to_string(x) + "," + std::to_string(y); }

}  // namespace

bool SetOption(OptionField field, std::string_view text, OperationArguments& arguments) {
    Settings& settings = arguments.settings;
    switch (field) {
        case OptionField::Threshold: return ParseInteger(text, settings.threshold);
        case OptionField::GradientThreshold: return ParseInteger(text, settings.gradientThreshold);
        case OptionField::GradientDirection: return ParseInteger(text, settings.gradientDirection);
        case OptionField::Sigma: return ParseReal(text, settings.sigma);
        case OptionField::UniformWindow: return ParseInteger(text, arguments.uniformWindow) && arguments.uniformWindow >= 1;
        case OptionField::Cutoff: return ParsePoint(text, settings.cutoffX, settings.cutoffY);
        case OptionField::SelectionFrom: return ParsePoint(text, arguments.downX, arguments.downY);
        case OptionField::SelectionTo: return ParsePoint(text, arguments.upX, arguments.upY);
        case OptionField::CircleRadius: return ParseInteger(text, arguments.circleRadius) && arguments.circleRadius >= 0;
        case OptionField::None: break;
    }
    return false;
}

std::string OptionValueText(OptionField field, const OperationArguments& arguments) {
    const Settings& settings = arguments.settings;
    switch (field) {
        case OptionField::Threshold: return std::to_string(settings.threshold);
        case OptionField::GradientThreshold: return std::to_string(settings.gradientThreshold);
        case OptionField::GradientDirection: return std::to_string(settings.gradientDirection);
        case OptionField::Sigma: {
            char text[32];
            std::snprintf(text, sizeof text, "%.1f", settings.sigma);
            return text;
        }
        case OptionField::UniformWindow: return std::to_string(arguments.uniformWindow);
        case OptionField::Cutoff: return PointText(settings.cutoffX, settings.cutoffY);
        case OptionField::SelectionFrom: return PointText(arguments.downX, arguments.downY);
        case OptionField::SelectionTo: return PointText(arguments.upX, arguments.upY);
        case OptionField::CircleRadius: return std::to_string(arguments.circleRadius);
        case OptionField::None: break;
    }
    return {};
}

}  // namespace lumagrove::cli
