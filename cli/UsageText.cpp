#include <algorithm>
#include <iomanip>
#include <sstream>
#include <vector>

#include "cli/CommandLine.h"

namespace lumagrove::cli {
namespace {

constexpr char kCoordinatesSummary[] = "read an XYZ coordinate file and print its sample point";
constexpr char kTimeHelp[] = "print \"Completed in N ms\" to standard error";

std::string FlagAndValue(const OptionDescriptor& option) { return std::string(option.flag) + " " + option.valueName; }

// Lines of two columns, the second starting where the widest first ends.
void WriteColumns(std::ostream& text, const std::vector<std::pair<std::string, std::string>>& rows) {
    std::size_t width = 0;
    for (const auto& row : rows) width = std::max(width, row.first.size());
    for (const auto& [left, right] : rows) {
        text << "  " << std::left << std::setw(static_cast<int>(width + 2)) << left << right << '\n';
    }
}

}  // namespace

std::string UsageText() {
    std::ostringstream text;
    text << "Usage: lumagrove-cli COMMAND [OPTIONS] INPUT OUTPUT\n"
            "       lumagrove-cli xyz INPUT\n"
            "       lumagrove-cli COMMAND --help\n"
            "       lumagrove-cli --help\n"
            "       lumagrove-cli --version\n\n"
            "INPUT is read like the desktop reads it: a name ending in \"pgm\" is a PGM file,\n"
            "one ending in \"xyz\" an XYZ coordinate file, anything else raw 640 x 480 intensity.\n"
            "OUTPUT is written as a binary (P5) PGM file.\n\n"
            "Commands (options with their defaults):\n";
    for (const OperationEntry& entry : OperationTable()) {
        if (entry.command == nullptr) continue;
        text << "  " << std::left << std::setw(22) << entry.command << entry.commandSummary << '\n';
        if (entry.options.empty()) continue;
        text << std::string(24, ' ') << "options:";
        for (const OptionDescriptor* option : entry.options) {
            text << ' ' << FlagAndValue(*option) << " [" << option->defaultText() << ']';
        }
        text << '\n';
    }
    text << "  " << std::left << std::setw(22) << "xyz" << kCoordinatesSummary << "\n\n"
         << "Options for every command:\n"
         << "  --time                " << kTimeHelp << "\n"
         << "  --help                print this text, or the command's own\n"
         << "  --                    end of the options: every later word is a file name\n\n"
         << "Exit status: 0 done, 1 the operation or a file failed, 2 a usage error.\n";
    return text.str();
}

std::string CommandHelp(const OperationEntry& entry) {
    std::ostringstream text;
    text << "Usage: lumagrove-cli " << entry.command << " [OPTIONS] INPUT OUTPUT\n\n"
         << "  " << entry.commandSummary << "\n"
         << "  In the desktop: " << PlainMenuPath(entry) << "\n\n"
         << "Options (defaults in brackets):\n";
    std::vector<std::pair<std::string, std::string>> rows;
    for (const OptionDescriptor* option : entry.options) {
        rows.emplace_back(FlagAndValue(*option), std::string(option->help) + " [" + option->defaultText() + "]");
    }
    rows.emplace_back("--time", kTimeHelp);
    rows.emplace_back("--help", "print this text");
    rows.emplace_back("--", "end of the options: every later word is a file name");
    WriteColumns(text, rows);
    return text.str();
}

std::string CoordinatesHelp() {
    std::ostringstream text;
    text << "Usage: lumagrove-cli xyz INPUT\n\n"
         << "  " << kCoordinatesSummary << "\n"
         << "  INPUT holds three 640 x 480 planes of little-endian 32-bit floats (x, y, z);\n"
         << "  the point at row 0, column 200 is printed to standard output.\n";
    return text.str();
}

}  // namespace lumagrove::cli
