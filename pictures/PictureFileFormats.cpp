#include <vector>

#include "pictures/Pictures.h"
#include "session/ImageFiles.h"

namespace lumagrove {
namespace {

template <PictureFormat kFormat>
bool NamedAs(std::string_view fileName) {
    return PictureFormatOfName(fileName) == kFormat;
}

template <PictureFormat kFormat>
bool AnnouncedAs(std::span<const std::uint8_t> head) {
    return PictureFormatOfContent(head) == kFormat;
}

using enum PictureFormat;

constexpr ImageFormat kPictureFormats[] = {
    {"PNG", NamedAs<Png>, ReadPicture, AnnouncedAs<Png>, DecodePicture, "png", WritePngStream},
    {"JPEG", NamedAs<Jpeg>, ReadPicture, AnnouncedAs<Jpeg>, DecodePicture, nullptr, nullptr},
    {"TIFF", NamedAs<Tiff>, ReadPicture, AnnouncedAs<Tiff>, DecodePicture, "tiff", WriteTiffStream},
    {"BMP", NamedAs<Bmp>, ReadPicture, AnnouncedAs<Bmp>, DecodePicture, nullptr, nullptr},
    {"WebP", NamedAs<Webp>, ReadPicture, AnnouncedAs<Webp>, DecodePicture, nullptr, nullptr},
};

}  // namespace

std::span<const ImageFormat> PictureFileFormats() { return kPictureFormats; }

std::span<const ImageFormat> ImageFormatsWithPictures() {
    static const std::vector<ImageFormat> formats = [] {
        std::vector<ImageFormat> all(std::begin(kPictureFormats), std::end(kPictureFormats));
        all.insert(all.end(), session::ImageFormats().begin(), session::ImageFormats().end());
        return all;
    }();
    return formats;
}

}  // namespace lumagrove
