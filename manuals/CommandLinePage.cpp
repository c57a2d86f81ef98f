#include <algorithm>
#include <sstream>
#include <string_view>

#include "cli/CommandLine.h"
#include "cli/GeneralOptions.h"
#include "manuals/Manuals.h"
#include "manuals/Roff.h"
#include "operations/OperationTable.h"
#include "pictures/Pictures.h"

namespace lumagrove::manuals {
namespace {

// ".BI --sigma " S"": the flag in bold, its value's name in italics.
std::string FlagWithValue(const OptionDescriptor& option) {
    return ".BI " + RoffQuoted(RoffLiteral(option.flag) + " ") + " " + RoffQuoted(RoffText(option.valueName)) + '\n';
}

void WriteCommands(std::ostream& page) {
    page << ".SH COMMANDS\n";
    for (const OperationEntry& entry : OperationTable()) {
        if (entry.command == nullptr) continue;
        page << ".TP\n.B " << RoffQuoted(RoffLiteral(entry.command)) << '\n'
             << RoffSentence(entry.commandSummary) << "\nIn the desktop: " << RoffText(PlainMenuPath(entry)) << ".\n";
        if (entry.options.empty()) continue;
        page << ".RS\n";
        for (const OptionDescriptor* option : entry.options) {
            page << ".TP\n"
                 << FlagWithValue(*option) << RoffSentence(option->help)
                 << "\nDefault: " << RoffLiteral(option->defaultText()) << ".\n";
        }
        page << ".RE\n";
    }
    page << ".TP\n.B " << RoffQuoted(RoffLiteral(cli::kCoordinatesCommand)) << '\n'
         << RoffSentence(cli::kCoordinatesSummary) << " It takes no\n.IR output .\n";
    page << ".TP\n.B " << RoffQuoted(RoffLiteral(cli::kHistogramCommand)) << '\n'
         << RoffSentence(cli::kHistogramSummary)
         << " It takes no\n.IR output .\n"
            "The CSV is the line \"level,count\", a line for each level 0 to 255, then \"# name=value\" lines:\n"
            "pixels, minimum, maximum, mean, stddev (of the population) and mode (the lowest level with the\n"
            "largest count); mean and stddev have 6 significant digits. The JSON object has the same names, and\n"
            "the counts as the array \"counts\".\n.B \\-\\-quiet\nleaves the output as it is.\n"
            "In the desktop: Action > Histogram equalization > Show histogram.\n"
            ".RS\n.TP\n.B "
         << RoffQuoted(RoffLiteral(cli::kHistogramJson)) << '\n'
         << RoffSentence(cli::kHistogramJsonHelp) << "\n.RE\n";
}

void WriteExample(std::ostream& page, std::string_view what, const std::string& line) {
    std::string sentence = RoffSentence(what);
    sentence.back() = ':';
    page << ".PP\n" << sentence << "\n.RS\n.nf\n" << RoffLiteral(line) << "\n.fi\n.RE\n";
}

// Each command that takes options shows them spelled out with their
// defaults, so every example is a command line that runs as written.
void WriteExamples(std::ostream& page) {
    page << ".SH EXAMPLES\n";
    bool first = true;
    for (const OperationEntry& entry : OperationTable()) {
        if (entry.command == nullptr || (!first && entry.options.empty())) continue;
        std::string line = std::string("lumagrove-cli ") + entry.command;
        for (const OptionDescriptor* option : entry.options)
            line += std::string(" ") + option->flag + " " + option->defaultText();
        WriteExample(page, entry.commandSummary, line + " scene.pgm " + entry.command + ".pgm");
        first = false;
    }
    WriteExample(page, "say how long an operation took", "lumagrove-cli equalize --time scene.pgm equalized.pgm");
    WriteExample(page, "print the sample point of a coordinate file", "lumagrove-cli xyz wall.xyz");
    WriteExample(page, "print the histogram of an image as JSON", "lumagrove-cli histogram --json scene.pgm");
}

// An option row of help ("--jobs N", "...") as a tagged paragraph: the flag
// in bold, its value's name, if any, in italics.
void WriteOptionRow(std::ostream& page, const std::string& flagAndValue, const std::string& help) {
    const std::size_t blank = flagAndValue.find(' ');
    if (blank == std::string::npos) {
        page << ".TP\n.B " << RoffQuoted(RoffLiteral(flagAndValue)) << '\n';
    } else {
        page << ".TP\n.BI " << RoffQuoted(RoffLiteral(flagAndValue.substr(0, blank + 1))) << ' '
             << RoffQuoted(RoffText(flagAndValue.substr(blank + 1))) << '\n';
    }
    page << RoffSentence(help) << '\n';
}

// Help's closing sections ("Title:" and indented lines, blank-line
// separated) as subsections: paragraphs filled, the examples kept as lines.
void WriteHelpSections(std::ostream& page, const std::string& sections) {
    std::size_t at = 0;
    while (at < sections.size()) {
        std::size_t end = sections.find("\n\n", at);
        if (end == std::string::npos) end = sections.size();
        const std::string block = sections.substr(at, end - at);
        at = end + 2;
        const std::size_t titleEnd = block.find(":\n");
        if (titleEnd == std::string::npos) continue;
        const std::string title = block.substr(0, titleEnd);
        page << ".SS " << RoffQuoted(RoffText(title)) << '\n';
        const bool examples = title == "Examples";
        if (examples) page << ".RS\n.nf\n";
        std::size_t line = titleEnd + 2;
        while (line < block.size()) {
            std::size_t lineEnd = block.find('\n', line);
            if (lineEnd == std::string::npos) lineEnd = block.size();
            const std::string_view text = std::string_view(block).substr(line, lineEnd - line);
            const std::string_view trimmed = text.substr(std::min(text.find_first_not_of(' '), text.size()));
            page << (examples ? RoffLiteral(trimmed) : RoffText(trimmed)) << '\n';
            line = lineEnd + 1;
        }
        if (examples) page << ".fi\n.RE\n";
    }
}

}  // namespace

std::string CommandLinePage() {
    std::ostringstream page;
    page << RoffHeader("LUMAGROVE-CLI")
         << ".SH NAME\nlumagrove\\-cli \\- run Lumagrove's grayscale image operations from the command line\n"
            ".SH SYNOPSIS\n"
            ".B lumagrove\\-cli\n.I command\n.RI [ options ]\n.I input output\n.br\n"
            ".B lumagrove\\-cli\n.I command\n.RI [ options ]\n.B then\n.I command\n.RI [ options "
            "]\\ ...\\&\n.I input output\n.br\n"
            ".B lumagrove\\-cli\n.I command\n.RI [ options ]\n.RB [ then \\ ...]\n.B \\-\\-out\\-dir\n"
            ".I dir input\\fR...\n.br\n"
            ".B lumagrove\\-cli xyz\n.I input\n.br\n"
            ".B lumagrove\\-cli histogram\n.RB [ \\-\\-json ]\n.I input\n.br\n"
            ".B lumagrove\\-cli\n.I command\n.B \\-\\-help\n.br\n"
            ".B lumagrove\\-cli \\-\\-help\n.br\n"
            ".B lumagrove\\-cli \\-\\-version\n"
            ".SH DESCRIPTION\n"
            ".B lumagrove\\-cli\n"
            "runs the operations of the Lumagrove desktop on 8-bit grayscale images and writes the results,\n"
            "byte for byte what the desktop shows.\n"
            ".PP\n"
            ".I input\n"
            "is read by its name: one ending in "
         << ListOfEndings(PictureFileFormats())
         << ", in any letter\n"
            "case, is a picture, made grey; otherwise one ending in .pgm, .pnm, .ppm, .pbm or .pam (any case,\n"
            "or \"pgm\" at the end) is of the netpbm family (P1 to P7, any maximum value, made grey), \"xyz\" an\n"
            "XYZ coordinate file, anything else a raw 640 x 480 intensity file. A file shorter than its image\n"
            "is read with the rest white, and a line on standard error says so.\n"
            ".PP\n"
            ".I output\n"
            "ending in "
         << ListOfEndings(PictureFileFormats(), true)
         << " is written as a grey picture of that kind, any other as a binary\n"
            "(P5) PGM file;\n.B \\-\\-format\nchooses whatever the name says, and\n.B \\-\\-quality\n"
            "a JPEG's quality. A plain file is replaced only once\n"
            "the new one is complete, keeping its permissions, so a failed or killed save never damages it;\n"
            "a link is followed; a FIFO or device is written in place; a file you could not open for writing\n"
            "is left alone.\n"
            ".PP\n"
            "What you asked to see goes to standard output: the sample point of\n.BR xyz ,\n"
            "the histogram of\n.BR histogram ,\n"
            "and the two samples an intensity file shows. Problems, warnings, times and a batch's progress go\n"
            "to standard error, each line led by \"lumagrove\\-cli: \";\n.B \\-\\-quiet\nleaves only the "
            "problems there.\n";
    WriteCommands(page);
    page << ".SH OPTIONS\nEvery command but\n.B xyz\nand\n.B histogram\nalso takes these:\n";
    for (const auto& [flagAndValue, help] : cli::OptionRowsForEveryCommand()) WriteOptionRow(page, flagAndValue, help);
    page << ".TP\n.B \\-\\-version\n"
            "Given instead of a command: print the version (and, for a build from a Git checkout, its commit).\n"
            ".SH \"PIPES, CHAINS AND BATCHES\"\n";
    WriteHelpSections(page, cli::PipesChainsAndBatches());
    page << ".SH EXIT STATUS\n"
         << ".TP\n.B " << cli::kDone << "\nThe command did what it was asked.\n"
         << ".TP\n.B " << cli::kFailed << "\nThe operation or a file failed; the message is on standard error.\n"
         << ".TP\n.B " << cli::kUsageError
         << "\nThe command line was wrong: told in one line, followed by \"Try 'lumagrove\\-cli \\-\\-help'.\".\n";
    WriteExamples(page);
    page << ".SH SEE ALSO\n.BR lumagrove (1)\n";
    return page.str();
}

}  // namespace lumagrove::manuals
