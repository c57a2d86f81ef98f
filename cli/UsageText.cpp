#include <algorithm>
#include <iomanip>
#include <sstream>
#include <vector>

#include "cli/CommandLine.h"
#include "cli/GeneralOptions.h"
#include "cli/ParsedWords.h"
#include "pictures/Pictures.h"

namespace lumagrove::cli {
namespace {

// How pipes, chains and batches work, and examples; the end of --help.
// FORMATS stands for the formats standard input may hold.
constexpr std::string_view kPipesChainsAndBatches =
    "Pipes:\n"
    "  \"-\" as INPUT reads standard input; having no name, its content must tell\n"
    "  its format (FORMATS). \"-\" as OUTPUT writes standard output, as PGM\n"
    "  unless --format says otherwise.\n\n"
    "Chains:\n"
    "  Commands joined by \"then\" run one after another in memory, each on the\n"
    "  image the one before made; each takes its own options. A step that makes\n"
    "  no image stops the chain with its message (exit status 1).\n\n"
    "Batches:\n"
    "  With --out-dir DIR the command, or the chain, runs on every INPUT and\n"
    "  writes DIR/<INPUT's name without extension>.pgm (or the --format's\n"
    "  ending); DIR is made if missing. Every result is planned first: one that\n"
    "  would overwrite an INPUT or another's result is skipped with a message,\n"
    "  and an INPUT given twice is worked on once. --jobs N files are worked on\n"
    "  at once (one per core by default), so at most N are in memory. On a\n"
    "  terminal a progress line shows files done/total, the elapsed time and\n"
    "  the current file. A file that fails gets its message, led by its name,\n"
    "  and the batch goes on; a one-line summary on standard error ends it, and\n"
    "  the exit status is 1 if any file failed.\n\n"
    "Examples:\n"
    "  lumagrove-cli equalize scan.pgm flat.pgm\n"
    "  cat scan.pgm | lumagrove-cli equalize - - | lumagrove-cli edges - edges.pgm\n"
    "  lumagrove-cli gaussian --sigma 2 then equalize then edges --threshold 40 scan.pgm edges.pgm\n"
    "  lumagrove-cli equalize --out-dir flat scans/*.pgm\n"
    "  lumagrove-cli gaussian --sigma 2 then edges --jobs 2 --out-dir edges scans/*.pgm\n\n";

// "PGM, PNG": the formats standard input may hold.
std::string AnnouncedFormats() {
    std::string names;
    for (const ImageFormat& format : ImageFormatsWithPictures()) {
        if (format.announcedBy != nullptr) names += (names.empty() ? "" : ", ") + std::string(format.name);
    }
    return names;
}

// "pgm, png": what --format takes.
std::string WrittenFormats() {
    std::string names;
    for (const ImageFormat& format : ImageFormatsWithPictures()) {
        if (format.writtenAs != nullptr) names += (names.empty() ? "" : ", ") + std::string(format.writtenAs);
    }
    return names;
}

std::string FlagAndValue(const OptionDescriptor& option) { return std::string(option.flag) + " " + option.valueName; }

// How INPUT and OUTPUT are read and written, from the format rows.
std::string FileNamesParagraph() {
    return "INPUT is read by its name: one ending in " + ListOfEndings(PictureFileFormats()) +
           ", in any letter case, is a picture, made grey; otherwise a name ending in \"pgm\" is a PGM file, one "
           "ending in \"xyz\" an XYZ coordinate file, and anything else raw 640 x 480 intensity. OUTPUT ending in " +
           ListOfEndings(PictureFileFormats(), true) +
           " is written as a grey picture of that kind, any other as a binary (P5) PGM file; --format chooses "
           "whatever the name. Either may be \"-\" (see Pipes).";
}

// The words of `text` in lines no wider than `width`.
std::string Wrapped(const std::string& text, std::size_t width) {
    std::istringstream words(text);
    std::string wrapped;
    std::size_t lineLength = 0;
    for (std::string word; words >> word;) {
        if (lineLength > 0 && lineLength + 1 + word.size() > width) {
            wrapped += '\n';
            lineLength = 0;
        } else if (lineLength > 0) {
            wrapped += ' ';
            ++lineLength;
        }
        wrapped += word;
        lineLength += word.size();
    }
    return wrapped + '\n';
}

// Lines of two columns, the second starting where the widest first ends.
void WriteColumns(std::ostream& text, const std::vector<std::pair<std::string, std::string>>& rows) {
    std::size_t width = 0;
    for (const auto& row : rows) width = std::max(width, row.first.size());
    for (const auto& [left, right] : rows) {
        text << "  " << std::left << std::setw(static_cast<int>(width + 2)) << left << right << '\n';
    }
}

}  // namespace

std::vector<std::pair<std::string, std::string>> OptionRowsForEveryCommand() {
    std::vector<std::pair<std::string, std::string>> rows;
    for (const ToolOption& option : ToolOptions()) {
        std::string help = option.help;
        if (std::string_view(option.flag) == "--format") help += " (" + WrittenFormats() + ")";
        rows.emplace_back(std::string(option.flag) + " " + option.valueName, help);
    }
    for (const GeneralOption& option : kGeneralOptions) rows.emplace_back(option.flag, option.help);
    return rows;
}

std::string PipesChainsAndBatches() {
    std::string sections(kPipesChainsAndBatches);
    sections.replace(sections.find("FORMATS"), 7, AnnouncedFormats());
    return sections;
}

std::string UsageText() {
    std::ostringstream text;
    text << "Usage: lumagrove-cli COMMAND [OPTIONS] INPUT OUTPUT\n"
            "       lumagrove-cli COMMAND [OPTIONS] then COMMAND [OPTIONS] ... INPUT OUTPUT\n"
            "       lumagrove-cli COMMAND [OPTIONS] [then ...] --out-dir DIR INPUT...\n"
            "       lumagrove-cli xyz INPUT\n"
            "       lumagrove-cli histogram [--json] INPUT\n"
            "       lumagrove-cli COMMAND --help\n"
            "       lumagrove-cli --help\n"
            "       lumagrove-cli --version\n\n"
         << Wrapped(FileNamesParagraph(), 80) << "\nCommands (options with their defaults):\n";
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
    text << "  " << std::left << std::setw(22) << kCoordinatesCommand << kCoordinatesSummary << '\n'
         << "  " << std::left << std::setw(22) << kHistogramCommand << kHistogramSummary << '\n'
         << std::string(24, ' ') << "options: " << kHistogramJson << "\n\n"
         << "Options for every command but xyz and histogram:\n";
    WriteColumns(text, OptionRowsForEveryCommand());
    text << '\n'
         << PipesChainsAndBatches() << "Exit status: 0 done, 1 the operation or a file failed, 2 a usage error.\n";
    return text.str();
}

std::string CommandHelp(const OperationEntry& entry) {
    std::ostringstream text;
    text << "Usage: lumagrove-cli " << entry.command << " [OPTIONS] INPUT OUTPUT\n"
         << "       lumagrove-cli " << entry.command << " [OPTIONS] --out-dir DIR INPUT...\n"
         << "  (and as a step of a chain: ... then " << entry.command << " [OPTIONS] ...)\n\n"
         << "  " << entry.commandSummary << "\n"
         << "  In the desktop: " << PlainMenuPath(entry) << "\n\n"
         << "Options (defaults in brackets):\n";
    std::vector<std::pair<std::string, std::string>> rows;
    for (const OptionDescriptor* option : entry.options) {
        rows.emplace_back(FlagAndValue(*option), std::string(option->help) + " [" + option->defaultText() + "]");
    }
    for (auto& row : OptionRowsForEveryCommand()) rows.push_back(std::move(row));
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

std::string HistogramHelp() {
    std::ostringstream text;
    text << "Usage: lumagrove-cli histogram [--json] INPUT\n\n"
         << "  " << kHistogramSummary << "\n"
         << "  In the desktop: Action > Histogram equalization > Show histogram\n\n"
         << "  The CSV starts with the line \"level,count\" and a line for each level 0 to 255,\n"
         << "  then \"# name=value\" lines: pixels, minimum, maximum, mean, stddev (of the\n"
         << "  population) and mode (the lowest level with the largest count); mean and\n"
         << "  stddev have 6 significant digits. The JSON object has the same names, the\n"
         << "  counts as the array \"counts\". --quiet leaves the output as it is.\n\n"
         << "Options:\n";
    WriteColumns(text, {{kHistogramJson, kHistogramJsonHelp},
                        {"--quiet", "print no warnings: only errors, and the histogram"},
                        {"--help", "print this help"},
                        {"--", "end of the options: the next word is the file name, even one starting with '-'"}});
    return text.str();
}

}  // namespace lumagrove::cli
