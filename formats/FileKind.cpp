#include "formats/Readers.h"

namespace lumagrove {

ImageFileKind KindOfFileName(std::string_view name) {
    if (name.size() >= 3) {
        const std::string_view ending = name.substr(name.size() - 3);
        if (ending == "pgm") return ImageFileKind::Pgm;
        if (ending == "xyz") return ImageFileKind::Xyz;
    }
    return ImageFileKind::Intensity;
}

}  // namespace lumagrove
