#include "formats/FileMessages.h"
#include "formats/ImageRecord.h"

namespace lumagrove {

std::FILE* OpenForReading(const std::string& name) {
    if (name.size() > kMaxTitleLength) return nullptr;
    return std::fopen(name.c_str(), "rb");
}

}  // namespace lumagrove
