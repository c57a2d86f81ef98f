#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "ScratchFolder.h"
#include "formats/Readers.h"

// Any bytes as three planes of coordinates: always all three, 640 x 480.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const lumagrove::fuzzing::ScratchFolder folder;
    const std::optional<lumagrove::CoordinateRecord> record =
        lumagrove::ReadXyz(folder.write("input.xyz", data, size), [](const lumagrove::Message&) {});
    if (!record || !record->xPlane || !record->yPlane || !record->zPlane || record->width != 640 ||
        record->height != 480) {
        std::abort();
    }
    return 0;
}
