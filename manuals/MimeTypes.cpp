#include "manuals/Manuals.h"
#include "pictures/Pictures.h"

namespace lumagrove::manuals {

std::string MimeTypes() {
    std::string lines;
    for (const ImageFormat& format : ImageFormatsWithPictures()) {
        if (format.mimeType != nullptr) lines.append(format.mimeType).append("\n");
    }
    return lines;
}

}  // namespace lumagrove::manuals
