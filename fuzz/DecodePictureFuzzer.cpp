#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "FuzzingMemory.h"
#include "base/ImageSize.h"
#include "pictures/MemoryBudget.h"
#include "pictures/Pictures.h"

// The decoders judge every size by the memory they may count on, and each
// decode by its own budget within it. Here that is what the sanitizer lets
// one allocation have: pictures beyond it meet the program's own refusals,
// as on a machine with that little room, not the sanitizer's.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    lumagrove::pictures::CapAvailableMemory(std::uint64_t{LUMAGROVE_FUZZING_MEMORY_MB} << 20);
    return 0;
}

// Any bytes as a picture of any of the formats, decoded from memory. Whatever
// the decoders accept must be an image whose sides describe its pixels.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<lumagrove::ImageRecord> record =
        lumagrove::DecodePicture(std::span(data, size), "input", [](const lumagrove::Message&) {});
    if (record) {
        const bool sound = lumagrove::IsValidImageSize(record->width, record->height) &&
                           record->pixels.size() == static_cast<std::size_t>(record->width) * record->height;
        if (!sound) std::abort();
    }
    return 0;
}
