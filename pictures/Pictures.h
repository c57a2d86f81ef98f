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
#include "pictures/Decoders.h"

namespace lumagrove {

// A picture format people bring, as one row: everything the program knows of
// it. Every one is read; those with a writer are also written (8-bit grey).
// Saving a file goes through the safe-saving rules of formats/SafeSave.h.
struct PictureFormat {
    const char* name;                                         // "JPEG", as messages, help and the file dialogs name it
    std::string_view endings;                                 // ".jpg .jpeg": the names it has, in any letter case
    const char* mimeType;                                     // "image/jpeg", for file managers
    bool (*announcedBy)(std::span<const std::uint8_t> head);  // its signature
    // How long a file starting with `head` can be (BoundedRead.h).
    std::uint64_t (*lengthDeclared)(std::span<const std::uint8_t> head);
    pictures::DecodeOutcome (*decode)(pictures::Bytes bytes, pictures::DecodedPicture& picture);
    // For formats written: what --format calls it, which is also the ending
    // batch results get, and the writer of a whole file to a stream.
    const char* writtenAs = nullptr;
    StreamWriter write = nullptr;
    bool takesQuality = false;  // the writer heeds WriteSettings::quality
};

// Every picture format, one row each.
std::span<const PictureFormat> PictureFormats();

// The format the first bytes of a file announce (their signature), whatever
// the name says; nullptr when they announce none of the picture formats.
// Twelve bytes are enough to tell them all apart.
inline constexpr std::size_t kSignatureLength = 12;
const PictureFormat* PictureFormatOfContent(std::span<const std::uint8_t> head);

// Reads the picture in the file into an 8-bit grey image of its own size,
// titled with the file's name, with the rules of GreyConversion.h. The
// decoder is chosen by the content, so a PNG named .jpg still opens. Nothing,
// after reporting why not through `report`, when it cannot.
std::optional<ImageRecord> ReadPicture(const std::string& fileName, const Reporter& report);

// The same for a picture already in memory (standard input, say), titled
// `title`.
std::optional<ImageRecord> DecodePicture(std::span<const std::uint8_t> bytes, const std::string& title,
                                         const Reporter& report);

// The image as a lossless 8-bit grey PNG, TIFF, WebP or BMP, or a baseline
// JPEG of the settings' quality, written whole to a stream that need not
// seek (a file being saved, a pipe, standard output). False if the stream
// refused a byte or the image has no pixels (or, in WebP, a side above
// 16383); the caller reports.
bool WritePngStream(const ImageRecord& record, std::FILE* stream);
bool WriteTiffStream(const ImageRecord& record, std::FILE* stream);
bool WriteWebpStream(const ImageRecord& record, std::FILE* stream);
bool WriteBmpStream(const ImageRecord& record, std::FILE* stream);
bool WriteJpegStream(const ImageRecord& record, const WriteSettings& settings, std::FILE* stream);

// The picture formats as rows of the file format table, named by their
// endings, announced by their signatures and read by content. A front end
// puts them before the core's own formats, so that a raw intensity file named
// like a picture is read as a picture.
std::span<const ImageFormat> PictureFileFormats();

// The table both front ends read and write by: the pictures, then the core's
// own formats (PGM, raw intensity).
std::span<const ImageFormat> ImageFormatsWithPictures();

}  // namespace lumagrove
