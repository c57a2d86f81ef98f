#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "ScratchFolder.h"
#include "formats/Readers.h"

// Any bytes as a raw intensity file: always a whole 640 x 480 image.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const lumagrove::fuzzing::ScratchFolder folder;
    const std::optional<lumagrove::ImageRecord> record =
        lumagrove::ReadIntensity(folder.write("input.raw", data, size), [](const lumagrove::Message&) {});
    if (!record || record->width != 640 || record->height != 480 || record->pixels.size() != 640u * 480u) {
        std::abort();
    }
    return 0;
}
