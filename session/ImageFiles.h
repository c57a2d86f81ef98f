#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "base/Reporter.h"
#include "formats/CoordinateRecord.h"
#include "formats/ImageRecord.h"

// Files as both front ends read and write them: the reader a name (or, for
// standard input, the content) calls for, and the writer. A new image format
// is one row of the format table.
namespace lumagrove::session {

// An image file format. The reader takes the file name from the record's
// title and returns 1, or 0 after reporting why not. The writer puts the
// whole file into a stream and says whether the stream took it; saving it
// under a name follows the rules of SaveFile (formats/SafeSave.h).
struct ImageFormat {
    const char* name;                            // "PGM", as messages and help name it
    bool (*namedBy)(std::string_view fileName);  // whether a file of this name is read (or written) this way
    int (*read)(ImageRecord& record, const Reporter& report);
    // Whether content starting with these bytes is in this format, and the
    // reader for such content held in memory (standard input). Both nullptr
    // when nothing in the content tells.
    bool (*announcedBy)(std::span<const std::uint8_t> head);
    int (*readBytes)(std::span<const std::uint8_t> bytes, ImageRecord& record, const Reporter& report);
    // For formats the program writes: what --format calls it, which is also
    // the ending batch results get ("pgm"), and the writer of one whole file
    // to an open stream, false if the stream refused a byte. Both nullptr
    // for formats only read.
    const char* writtenAs;
    bool (*write)(const ImageRecord& record, std::FILE* stream);
};

// In the order they are asked: the first that a name calls for reads it.
// The last, raw intensity, takes any name.
std::span<const ImageFormat> ImageFormats();

// The format that reads a file of this name.
const ImageFormat& FormatForReading(std::string_view fileName);
// The format that writes a file of this name: the first that the name calls
// for and that can write, else binary PGM.
const ImageFormat& FormatForWriting(std::string_view fileName);
// The written format --format calls `writtenAs` ("pgm"), if there is one.
const ImageFormat* FormatWrittenAs(std::string_view writtenAs);

// Whether the name calls for the XYZ coordinate reader rather than an image
// reader: it ends in "xyz", compared case-sensitively as "pgm" is.
bool NamesCoordinateFile(std::string_view fileName);

// Reads the image file with the format its name calls for; nothing after
// reporting why not.
std::optional<ImageRecord> ReadImageFile(const std::string& fileName, const Reporter& report);

// Reads an image held in memory with the format its first bytes announce;
// `title` names it in messages. Content no format announces is reported as
// such.
std::optional<ImageRecord> ReadImageBytes(std::span<const std::uint8_t> bytes, const std::string& title,
                                          const Reporter& report);

// Reads an XYZ coordinate file, whatever its name, and reports its sample
// point as a readout.
std::optional<CoordinateRecord> ReadCoordinateFile(const std::string& fileName, const Reporter& report);

// Writes the record with the format the name calls for, or the one given,
// by the saving rules of SaveFile (formats/SafeSave.h).
bool WriteImageFile(const ImageRecord& record, const std::string& fileName, const Reporter& report);
bool WriteImageFile(const ImageRecord& record, const std::string& fileName, const ImageFormat& format,
                    const Reporter& report);

}  // namespace lumagrove::session
