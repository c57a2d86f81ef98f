#include <mutex>

#include "base/Bands.h"
#include "imaging/Equalization.h"
#include "imaging/EqualizationMap.h"

namespace lumagrove {

PixelArray EqualizeGlobal(ImageView image) {
    const std::uint8_t* pixels = image.pixels.data();
    PixelArray result(image.pixels.size());
    const auto size = static_cast<std::ptrdiff_t>(image.pixels.size());
    if (size == 0) return result;
    // The whole image as one long row: no per-row bookkeeping in either
    // loop. The spans' counts are whole numbers, so their sum does not
    // depend on the order they arrive in.
    Histogram histogram{};
    std::mutex adding;
    ForEachSpan(image.pixels.size(), [&](std::ptrdiff_t begin, std::ptrdiff_t end) {
        const Histogram span = AreaHistogram(pixels + begin, end - begin, Area{0, 0, end - begin, 1});
        const std::lock_guard lock(adding);
        for (std::size_t level = 0; level < histogram.size(); ++level) histogram[level] += span[level];
    });
    const LevelMap map = EqualizationMap(histogram, size);
    ForEachSpan(image.pixels.size(), [&](std::ptrdiff_t begin, std::ptrdiff_t end) {
        MapArea(map, pixels + begin, result.data() + begin, end - begin, Area{0, 0, end - begin, 1});
    });
    return result;
}

}  // namespace lumagrove
