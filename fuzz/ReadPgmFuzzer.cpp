#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "ScratchFolder.h"
#include "base/ImageSize.h"
#include "formats/Readers.h"

// Any bytes as a gray map. Whatever the reader accepts must be an image whose
// sides describe its pixels.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const lumagrove::fuzzing::ScratchFolder folder;
    const std::optional<lumagrove::ImageRecord> record =
        lumagrove::ReadPgm(folder.write("input.pgm", data, size), [](const lumagrove::Message&) {});
    if (record) {
        const bool sound = lumagrove::IsValidImageSize(record->width, record->height) &&
                           record->pixels.size() == static_cast<std::size_t>(record->width) * record->height;
        if (!sound) std::abort();
    }
    return 0;
}
