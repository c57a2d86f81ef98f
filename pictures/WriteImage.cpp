#include "formats/Readers.h"
#include "formats/SafeSave.h"
#include "pictures/Encoders.h"
#include "pictures/Pictures.h"

namespace lumagrove {

bool WriteImageStream(const ImageRecord& record, OutputFormat format, std::FILE* stream) {
    if (format == OutputFormat::Pgm) return WritePgmStream(record, stream);
    const std::size_t count = static_cast<std::size_t>(record.width) * static_cast<std::size_t>(record.height);
    if (record.width < 1 || record.height < 1 || record.pixels.size() < count) return false;
    const pictures::PicturePixels pixels{record.width, record.height, 1, record.pixels.data()};
    return format == OutputFormat::Png ? pictures::EncodePng(pixels, stream) : pictures::EncodeTiff(pixels, stream);
}

int WriteImageFile(const ImageRecord& record, const std::string& name, OutputFormat format, const Reporter& report) {
    return SaveFile(name, report, [&](std::FILE* stream) { return WriteImageStream(record, format, stream); });
}

}  // namespace lumagrove
