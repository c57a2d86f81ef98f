#include "shell/Provenance.h"

#include <variant>

namespace lumagrove::shell {

namespace {

// A word as a POSIX shell reads it back unchanged.
std::string ShellQuoted(const std::string& word) {
    if (!word.empty() &&
        word.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_-./,+=") ==
            std::string::npos) {
        return word;
    }
    std::string quoted = "'";
    for (const char c : word) {
        if (c == '\'') {
            quoted.append("'\\''");
        } else {
            quoted.push_back(c);
        }
    }
    quoted.push_back('\'');
    return quoted;
}

std::string PythonString(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') quoted.push_back('\\');
        quoted.push_back(c);
    }
    quoted.push_back('"');
    return quoted;
}

// A command's name as the Python module names its function: "lines-superimposed"
// is lines_superimposed, and an option's, --direction is direction (from is
// a keyword there, so it is from_).
std::string PythonName(std::string name) {
    while (!name.empty() && name.front() == '-') name.erase(0, 1);
    for (char& c : name) c = c == '-' ? '_' : c;
    return name == "from" ? "from_" : name;
}

std::string PythonValue(const OptionValue& value) {
    if (const auto* point = std::get_if<OptionPoint>(&value)) {
        std::string tuple = "(";
        tuple.append(std::to_string(point->x)).append(", ").append(std::to_string(point->y)).push_back(')');
        return tuple;
    }
    return ValueText(value);
}

}  // namespace

std::string Provenance::fileBaseName() const { return file.substr(file.find_last_of('/') + 1); }

std::string Provenance::commandLine() const {
    if (steps.empty()) return {};
    std::string line = "lumagrove-cli";
    for (const Step& step : steps) {
        if (&step != &steps.front()) line += " then";
        line.append(" ").append(step.entry->command);
        for (const OptionDescriptor* option : step.entry->options) {
            line.append(" ").append(option->flag).append(" ").append(ValueText(option->valueIn(step.arguments)));
        }
    }
    // A file whose name starts with '-' comes after "--", where no option is.
    return line + (file.starts_with('-') ? " -- " : " ") + ShellQuoted(file) + " out.pgm";
}

std::string Provenance::pythonLine() const {
    if (steps.empty()) return {};
    std::string image = "lumagrove.read(" + PythonString(file) + ")";
    for (const Step& step : steps) {
        std::string call = "lumagrove." + PythonName(step.entry->command) + "(" + image;
        for (const OptionDescriptor* option : step.entry->options) {
            call += ", " + PythonName(option->flag) + "=" + PythonValue(option->valueIn(step.arguments));
        }
        image = call + ")";
    }
    return "import lumagrove; lumagrove.write(\"out.pgm\", " + image + ")";
}

}  // namespace lumagrove::shell
