#include "pictures/Encoders.h"
#include "pictures/Pictures.h"

namespace lumagrove {
namespace {

bool HasPixels(const ImageRecord& record) {
    const std::size_t count = static_cast<std::size_t>(record.width) * static_cast<std::size_t>(record.height);
    return record.width > 0 && record.height > 0 && record.pixels.size() >= count;
}

pictures::PicturePixels GreyPixels(const ImageRecord& record) {
    return {record.width, record.height, 1, record.pixels.data()};
}

}  // namespace

bool WritePngStream(const ImageRecord& record, std::FILE* stream) {
    return HasPixels(record) && pictures::EncodePng(GreyPixels(record), stream);
}

bool WriteTiffStream(const ImageRecord& record, std::FILE* stream) {
    return HasPixels(record) && pictures::EncodeTiff(GreyPixels(record), stream);
}

bool WriteWebpStream(const ImageRecord& record, std::FILE* stream) {
    return HasPixels(record) && pictures::EncodeWebp(GreyPixels(record), stream);
}

bool WriteBmpStream(const ImageRecord& record, std::FILE* stream) {
    return HasPixels(record) && pictures::EncodeBmp(GreyPixels(record), stream);
}

bool WriteJpegStream(const ImageRecord& record, const WriteSettings& settings, std::FILE* stream) {
    return HasPixels(record) && pictures::EncodeJpeg(GreyPixels(record), settings.quality, stream);
}

}  // namespace lumagrove
