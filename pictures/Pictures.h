#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "base/Reporter.h"
#include "formats/ImageFormat.h"
#include "formats/ImageRecord.h"

namespace lumagrove {

// The picture formats people bring. Any of them is read; PNG and TIFF are
// also written (8-bit grey, lossless). Saving a file goes through the
// safe-saving rules of formats/SafeSave.h with the stream writers below.
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

// The image as a lossless 8-bit grey PNG or TIFF, written whole to a stream
// that need not seek (a file being saved, a pipe, standard output). False if
// the stream refused a byte or the image has no pixels; the caller reports.
bool WritePngStream(const ImageRecord& record, std::FILE* stream);
bool WriteTiffStream(const ImageRecord& record, std::FILE* stream);

// The picture formats as rows of a format table, named and announced as
// above and read by content; PNG and TIFF are also written ("png", "tiff").
// A front end puts them before the core's own formats, so that a raw
// intensity file named like a picture is read as a picture.
std::span<const ImageFormat> PictureFileFormats();

// The table both front ends read and write by: the pictures, then the core's
// own formats (PGM, raw intensity).
std::span<const ImageFormat> ImageFormatsWithPictures();

}  // namespace lumagrove
