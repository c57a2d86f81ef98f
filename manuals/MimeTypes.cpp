#include <algorithm>

#include "manuals/Manuals.h"
#include "pictures/Pictures.h"

namespace lumagrove::manuals {

std::string MimeTypes() {
    std::string lines;
    for (const ImageFormat& format : ImageFormatsWithPictures()) {
        if (format.mimeType == nullptr) continue;
        std::string types = format.mimeType;
        std::replace(types.begin(), types.end(), ' ', '\n');
        lines.append(types).append("\n");
    }
    return lines;
}

}  // namespace lumagrove::manuals
