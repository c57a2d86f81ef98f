#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "base/Reporter.h"
#include "formats/ImageRecord.h"

namespace lumagrove {

// The picture formats people bring. Any of them is read; PNG and TIFF are
// also written (8-bit grey, lossless).
enum class PictureFormat { Png, Jpeg, Tiff, Bmp, Webp };

// A name ending, in any letter case, in .png, .jpg, .jpeg, .tif, .tiff, .bmp
// or .webp names a picture; nothing otherwise.
std::optional<PictureFormat> PictureFormatOfName(std::string_view name);

// The format the first bytes of a file announce (their signature), whatever
// the name says; nothing when they announce none of the picture formats.
// Twelve bytes are enough to tell them all apart.
inline constexpr std::size_t kSignatureLength = 12;
std::optional<PictureFormat> PictureFormatOfContent(std::span<const std::uint8_t> head);

// Reads the picture named by record.title into an 8-bit grey image of its own
// size, with the rules of PictureConversion.h. The decoder is chosen by the
// content, so a PNG named .jpg still opens. Returns 1, or 0 after reporting
// why not through `report`; a failed read leaves the record untouched.
int ReadPicture(ImageRecord& record, const Reporter& report);

// The same for a picture already in memory (standard input, say); the name in
// record.title is only used in messages.
int DecodePicture(std::span<const std::uint8_t> bytes, ImageRecord& record, const Reporter& report);

// How an image leaves the program: binary PGM, or a lossless 8-bit grey PNG
// or TIFF.
enum class OutputFormat { Pgm, Png, Tiff };

// .png, .tif and .tiff in any letter case ask for that picture format;
// every other name is written as PGM.
OutputFormat OutputFormatOfName(std::string_view name);

// Writes the image to a file by the safe-saving rules every writer follows.
// Returns 1, or 0 after reporting why not.
int WriteImageFile(const ImageRecord& record, const std::string& name, OutputFormat format, const Reporter& report);

// Writes the image to an open stream (standard output, a pipe), which need
// not be seekable. False if the stream refused the bytes; the caller reports.
bool WriteImageStream(const ImageRecord& record, OutputFormat format, std::FILE* stream);

}  // namespace lumagrove
