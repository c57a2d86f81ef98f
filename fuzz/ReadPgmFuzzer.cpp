#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "ScratchFolder.h"
#include "base/ImageSize.h"
#include "formats/Readers.h"

namespace {

void CheckSound(const std::optional<lumagrove::ImageRecord>& record) {
    if (!record) return;
    const bool sound = lumagrove::IsValidImageSize(record->width, record->height) &&
                       record->pixels.size() == static_cast<std::size_t>(record->width) * record->height;
    if (!sound) std::abort();
}

}  // namespace

// Any bytes as a file of the netpbm family, named and on standard input.
// Whatever the reader accepts must be an image whose sides describe its
// pixels; the length a header declares is asked of every prefix standard
// input could have reached.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const lumagrove::fuzzing::ScratchFolder folder;
    const auto ignore = [](const lumagrove::Message&) {};
    CheckSound(lumagrove::ReadNetpbm(folder.write("input.pgm", data, size), ignore));
    const std::span<const std::uint8_t> bytes(data, size);
    CheckSound(lumagrove::ReadNetpbmBytes(bytes, "standard input", ignore));
    const std::uint64_t declared = lumagrove::NetpbmLengthDeclared(bytes);
    if (declared != 0 && declared < size && lumagrove::NetpbmLengthDeclared(bytes.first(declared)) != declared) {
        std::abort();  // a header that declares a length must declare it again once cut there
    }
    return 0;
}
