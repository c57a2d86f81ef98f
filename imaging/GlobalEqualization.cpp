#include "imaging/EqualizationMap.h"
#include "imaging/GrayImage.h"

namespace lumagrove {

PixelArray GrayImage::equalizeGlobal() const {
    PixelArray result(pixels.size());
    const auto size = static_cast<std::ptrdiff_t>(pixels.size());
    if (size == 0) return result;
    // The whole image as one long row: no per-row bookkeeping in either loop.
    const Area whole{0, 0, size, 1};
    const LevelMap map = EqualizationMap(AreaHistogram(pixels.data(), size, whole), size);
    MapArea(map, pixels.data(), result.data(), size, whole);
    return result;
}

}  // namespace lumagrove
