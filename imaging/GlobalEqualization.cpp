#include "imaging/Equalization.h"
#include "imaging/EqualizationMap.h"

namespace lumagrove {

PixelArray EqualizeGlobal(ImageView image) {
    const std::uint8_t* pixels = image.pixels.data();
    PixelArray result(image.pixels.size());
    const auto size = static_cast<std::ptrdiff_t>(image.pixels.size());
    if (size == 0) return result;
    // The whole image as one long row: no per-row bookkeeping in either loop.
    const Area whole{0, 0, size, 1};
    const LevelMap map = EqualizationMap(AreaHistogram(pixels, size, whole), size);
    MapArea(map, pixels, result.data(), size, whole);
    return result;
}

}  // namespace lumagrove
