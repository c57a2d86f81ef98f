#pragma once

#include <istream>
#include <optional>
#include <ostream>
#include <string>

#include "base/Reporter.h"
#include "formats/ImageFormat.h"
#include "formats/ImageRecord.h"

// The command line's INPUT and OUTPUT: a file, or "-" for standard input
// and output.
namespace lumagrove::cli {

// The image `name` holds: for "-", what `in` holds, in the format its content
// announces; otherwise the file, read as its name says. Nothing, after
// reporting, when it holds no image.
std::optional<ImageRecord> ReadInput(const std::string& name, std::istream& in, const Reporter& report);

// The format a result named `name` is written in: `format` if given, else
// as the name says, and PGM on standard output.
const ImageFormat& OutputFormat(const std::string& name, const ImageFormat* format);

// What is wrong with --quality for results in this format, if anything: only
// JPEG has a quality.
std::optional<std::string> QualityProblem(const ImageFormat& format, const std::optional<int>& quality);

// Writes the image to the file `name`, or to `out` for "-", in its
// OutputFormat. False after reporting.
bool WriteResult(const ImageRecord& image, const std::string& name, const ImageFormat* format,
                 const WriteSettings& settings, std::ostream& out, const Reporter& report);

}  // namespace lumagrove::cli
