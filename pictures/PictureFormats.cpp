// The picture formats, one row each. A new format is its decoder (and
// encoder) and a row here: the file table, standard input, the help, the
// manual pages, the file dialogs and the desktop entry all read the rows.
#include <cstring>
#include <string_view>
#include <vector>

#include "pictures/BoundedRead.h"
#include "pictures/Pictures.h"
#include "session/ImageFiles.h"

namespace lumagrove {
namespace {

using namespace std::string_view_literals;
using pictures::Bytes;

bool StartsWith(Bytes head, std::string_view signature, std::size_t at = 0) {
    return head.size() >= at + signature.size() &&
           std::memcmp(head.data() + at, signature.data(), signature.size()) == 0;
}

constexpr PictureFormat kFormats[] = {
    {"PNG", ".png", "image/png", [](Bytes head) { return StartsWith(head, "\x89PNG\r\n\x1a\n"sv); },
     pictures::PngLengthDeclared, pictures::DecodePng, "png", WithoutSettings<WritePngStream>},
    {"JPEG", ".jpg .jpeg", "image/jpeg", [](Bytes head) { return StartsWith(head, "\xff\xd8\xff"sv); },
     pictures::JpegLengthDeclared, pictures::DecodeJpeg, "jpg", WriteJpegStream, true},
    // Classic and big TIFF, in either byte order.
    {"TIFF", ".tif .tiff", "image/tiff",
     [](Bytes head) {
         return StartsWith(head, "II*\0"sv) || StartsWith(head, "MM\0*"sv) || StartsWith(head, "II+\0"sv) ||
                StartsWith(head, "MM\0+"sv);
     },
     pictures::TiffLengthDeclared, pictures::DecodeTiff, "tiff", WithoutSettings<WriteTiffStream>},
    {"BMP", ".bmp", "image/bmp", [](Bytes head) { return StartsWith(head, "BM"sv); }, pictures::BmpLengthDeclared,
     pictures::DecodeBmp, "bmp", WithoutSettings<WriteBmpStream>},
    {"WebP", ".webp", "image/webp",
     [](Bytes head) { return StartsWith(head, "RIFF"sv) && StartsWith(head, "WEBP"sv, 8); },
     pictures::WebpLengthDeclared, pictures::DecodeWebp, "webp", WithoutSettings<WriteWebpStream>},
};

}  // namespace

std::span<const PictureFormat> PictureFormats() { return kFormats; }

const PictureFormat* PictureFormatOfContent(std::span<const std::uint8_t> head) {
    for (const PictureFormat& format : kFormats) {
        if (format.announcedBy(head)) return &format;
    }
    return nullptr;
}

std::uint64_t PictureLengthDeclared(std::span<const std::uint8_t> head) {
    const PictureFormat* format = PictureFormatOfContent(head);
    return format != nullptr ? format->lengthDeclared(head) : head.size();
}

std::span<const ImageFormat> PictureFileFormats() {
    static const std::vector<ImageFormat> rows = [] {
        std::vector<ImageFormat> all;
        for (const PictureFormat& format : kFormats) {
            all.push_back({format.name, nullptr, ReadPicture, format.announcedBy, DecodePicture, format.writtenAs,
                           format.write, format.endings, format.mimeType, nullptr, format.takesQuality});
        }
        return all;
    }();
    return rows;
}

std::span<const ImageFormat> ImageFormatsWithPictures() {
    static const std::vector<ImageFormat> formats = [] {
        std::vector<ImageFormat> all(PictureFileFormats().begin(), PictureFileFormats().end());
        all.insert(all.end(), session::ImageFormats().begin(), session::ImageFormats().end());
        return all;
    }();
    return formats;
}

}  // namespace lumagrove
