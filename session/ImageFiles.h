#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "base/Reporter.h"
#include "formats/CoordinateRecord.h"
#include "formats/ImageFormat.h"
#include "formats/ImageRecord.h"

// Files as both front ends read and write them: the reader a name (or, for
// standard input, the content) calls for, and the writer. A new image format
// is one row of the format table.
namespace lumagrove::session {

// The core's own formats, the netpbm family and raw intensity, in the order they are
// asked: the first that a name calls for reads it. The last, raw intensity,
// takes any name. A front end that knows more formats (the pictures) puts
// them in front of these and hands the whole table to the functions below.
std::span<const ImageFormat> ImageFormats();

// The format that reads a file of this name.
const ImageFormat& FormatForReading(std::string_view fileName, std::span<const ImageFormat> formats = ImageFormats());
// The format that writes a file of this name: the first that the name calls
// for and that can write, else binary PGM.
const ImageFormat& FormatForWriting(std::string_view fileName, std::span<const ImageFormat> formats = ImageFormats());
// The written format --format calls `writtenAs` ("pgm"), if there is one.
const ImageFormat* FormatWrittenAs(std::string_view writtenAs, std::span<const ImageFormat> formats = ImageFormats());

// Whether the name calls for the XYZ coordinate reader rather than an image
// reader: it ends in "xyz", compared case-sensitively, as it always was.
bool NamesCoordinateFile(std::string_view fileName);

// Reads the image file with the format its name calls for; nothing after
// reporting why not.
std::optional<ImageRecord> ReadImageFile(const std::string& fileName, const Reporter& report,
                                         std::span<const ImageFormat> formats = ImageFormats());

// Reads an image held in memory with the format its first bytes announce;
// `title` names it in messages. Content no format announces is reported as
// such.
std::optional<ImageRecord> ReadImageBytes(std::span<const std::uint8_t> bytes, const std::string& title,
                                          const Reporter& report,
                                          std::span<const ImageFormat> formats = ImageFormats());

// Reads an XYZ coordinate file, whatever its name, and reports its sample
// point as a readout.
std::optional<CoordinateRecord> ReadCoordinateFile(const std::string& fileName, const Reporter& report);

// Writes the record with the format the name calls for, or the one given,
// by the saving rules of SaveFile (formats/SafeSave.h), with the settings of
// a format that takes them (JPEG's quality).
bool WriteImageFile(const ImageRecord& record, const std::string& fileName, const Reporter& report,
                    std::span<const ImageFormat> formats = ImageFormats(), const WriteSettings& settings = {});
bool WriteImageFile(const ImageRecord& record, const std::string& fileName, const ImageFormat& format,
                    const Reporter& report, const WriteSettings& settings = {});

}  // namespace lumagrove::session
