#pragma once

// The command line's words that are neither the operation table's nor the
// tool options' (ParsedWords.h): the flags every command takes, and the xyz
// and histogram commands, which have no row because they make no image. The
// help, the manual page and the shell completion all read them from here.
namespace lumagrove::cli {

struct GeneralOption {
    const char* flag;
    const char* help;
};

inline constexpr GeneralOption kGeneralOptions[] = {
    {"--time", "print \"Completed in N ms\" to standard error (in a chain, for each step)"},
    {"--quiet", "print no progress, times or warnings: only errors, and what goes to standard output"},
    {"--help", "print the help: this text, or the command's own"},
    {"--", "end of the options: every later word is a file name, even one starting with '-'"},
};

inline constexpr char kCoordinatesCommand[] = "xyz";
inline constexpr char kCoordinatesSummary[] = "read an XYZ coordinate file and print its sample point";

inline constexpr char kHistogramCommand[] = "histogram";
inline constexpr char kHistogramSummary[] =
    "print the count of every gray level and the image's statistics, as CSV or JSON";
inline constexpr char kHistogramJson[] = "--json";
inline constexpr char kHistogramJsonHelp[] = "print one JSON object instead of CSV";

}  // namespace lumagrove::cli
