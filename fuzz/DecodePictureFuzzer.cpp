#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "base/ImageSize.h"
#include "pictures/Pictures.h"

// Any bytes as a picture of any of the formats, decoded from memory. Whatever
// the decoders accept must be an image whose sides describe its pixels.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    lumagrove::ImageRecord record;
    record.title = "input";
    if (lumagrove::DecodePicture(std::span(data, size), record, [](const lumagrove::Message&) {}) == 1) {
        const bool sound = lumagrove::IsValidImageSize(record.width, record.height) &&
                           record.pixels.size() == static_cast<std::size_t>(record.width) * record.height;
        if (!sound) std::abort();
    }
    return 0;
}
