#include "formats/FileMessages.h"

namespace lumagrove {

std::FILE* OpenForReading(const std::string& name) { return std::fopen(name.c_str(), "rb"); }

}  // namespace lumagrove
