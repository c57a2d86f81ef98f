#include <cstdio>
#include <string>

#include "formats/Readers.h"
#include "formats/SafeSave.h"

namespace lumagrove {
namespace {

constexpr char kHeaderStart[] = "P5\n# File created by Tavrinel's Lumagrove\n";

}  // namespace

bool WritePgmStream(const ImageRecord& record, std::FILE* file) {
    const std::size_t bytes = static_cast<std::size_t>(record.width) * static_cast<std::size_t>(record.height);
    if (record.width < 0 || record.height < 0 || record.pixels.size() < bytes) return false;
    if (std::fputs(kHeaderStart, file) < 0) return false;
    if (std::fprintf(file, "%d %d\n255\n", record.width, record.height) < 0) return false;
    return std::fwrite(record.pixels.data(), 1, bytes, file) == bytes;
}

int WritePgm(const ImageRecord& record, const std::string& name, const Reporter& report) {
    return SaveFile(name, report, [&record](std::FILE* file) { return WritePgmStream(record, file); });
}

}  // namespace lumagrove
