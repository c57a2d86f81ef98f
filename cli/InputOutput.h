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

// Writes the image to the file `name`, or to `out` for "-", in `format`; with
// none, as the name says, and as PGM on `out`. False after reporting.
bool WriteResult(const ImageRecord& image, const std::string& name, const ImageFormat* format, std::ostream& out,
                 const Reporter& report);

}  // namespace lumagrove::cli
