#pragma once

#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "base/Reporter.h"
#include "formats/CoordinateRecord.h"
#include "formats/ImageRecord.h"

// Files as both front ends read and write them: the reader a name calls for,
// and the writer. A new image format is one row of the format table.
namespace lumagrove::session {

// An image file format. The reader takes the file name from the record's
// title and returns 1, or 0 after reporting why not. The writer puts the
// whole file into a stream and says whether the stream took it; saving it
// under a name follows the rules of SaveFile (formats/SafeSave.h).
struct ImageFormat {
    const char* name;
    bool (*namedBy)(std::string_view fileName);  // whether a file of this name is read (or written) this way
    int (*read)(ImageRecord& record, const Reporter& report);
    bool (*write)(const ImageRecord& record, std::FILE* stream);  // nullptr: not written in this format
};

// In the order they are asked: the first that a name calls for reads it.
// The last, raw intensity, takes any name.
std::span<const ImageFormat> ImageFormats();

// The format that reads a file of this name.
const ImageFormat& FormatForReading(std::string_view fileName);
// The format that writes a file of this name: the first that the name calls
// for and that can write, else binary PGM.
const ImageFormat& FormatForWriting(std::string_view fileName);

// Whether the name calls for the XYZ coordinate reader rather than an image
// reader: it ends in "xyz", compared case-sensitively as "pgm" is.
bool NamesCoordinateFile(std::string_view fileName);

// Reads the image file with the format its name calls for; nothing after
// reporting why not.
std::optional<ImageRecord> ReadImageFile(const std::string& fileName, const Reporter& report);

// Reads an XYZ coordinate file, whatever its name, and reports its sample
// point as a readout.
std::optional<CoordinateRecord> ReadCoordinateFile(const std::string& fileName, const Reporter& report);

// Writes the record with the format the name calls for, by the saving rules
// of SaveFile (formats/SafeSave.h).
bool WriteImageFile(const ImageRecord& record, const std::string& fileName, const Reporter& report);

}  // namespace lumagrove::session
