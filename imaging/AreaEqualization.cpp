#include <array>

#include "imaging/Equalization.h"
#include "imaging/EqualizationMap.h"

namespace lumagrove {
namespace {

// Equalizes one area of `to` with the histogram of the same area of `from`.
// An area with no pixels maps nothing.
void EqualizeAreaOf(const std::uint8_t* from, std::uint8_t* to, std::ptrdiff_t width, const Area& area) {
    const std::ptrdiff_t pixelCount = area.pixelCount();
    if (pixelCount == 0) return;
    const LevelMap map = EqualizationMap(AreaHistogram(from, width, area), pixelCount);
    MapArea(map, from, to, width, area);
}

}  // namespace

PixelArray EqualizeArea(ImageView image, const std::uint8_t* histogramFrom, std::int32_t x1, std::int32_t y1,
                        std::int32_t x2, std::int32_t y2) {
    PixelArray result = PixelArray::CopyOf(image.pixels.data(), image.pixels.size());
    EqualizeAreaOf(histogramFrom, result.data(), image.width, ClippedArea(x1, y1, x2, y2, image.width, image.height));
    return result;
}

void EqualizeAreaInPlace(std::uint8_t* buffer, std::int32_t width, std::int32_t height, std::int32_t x1,
                         std::int32_t y1, std::int32_t x2, std::int32_t y2) {
    EqualizeAreaOf(buffer, buffer, width, ClippedArea(x1, y1, x2, y2, width, height));
}

// The areas do not overlap, so each histogram is taken from values no
// earlier area has changed.
PixelArray EqualizeFourAreas(ImageView image) {
    PixelArray result = PixelArray::CopyOf(image.pixels.data(), image.pixels.size());
    const std::int32_t width = image.width;
    const std::int32_t height = image.height;
    const std::int32_t mx = width / 2;
    const std::int32_t my = height / 2;
    EqualizeAreaInPlace(result.data(), width, height, 0, 0, mx, my);
    EqualizeAreaInPlace(result.data(), width, height, mx, 0, width, my);
    EqualizeAreaInPlace(result.data(), width, height, 0, my, mx, height);
    EqualizeAreaInPlace(result.data(), width, height, mx, my, width, height);
    return result;
}

PixelArray EqualizeSixteenAreas(ImageView image) {
    PixelArray result = PixelArray::CopyOf(image.pixels.data(), image.pixels.size());
    // Three quarters are taken as three times the side, then divided; in 64
    // bits, since three times a large side need not fit 32.
    const auto cuts = [](std::int32_t side) {
        const std::int64_t s = side;
        return std::array<std::int32_t, 5>{0, static_cast<std::int32_t>(s / 4), static_cast<std::int32_t>(s / 2),
                                           static_cast<std::int32_t>(3 * s / 4), side};
    };
    const std::array<std::int32_t, 5> columns = cuts(image.width);
    const std::array<std::int32_t, 5> rows = cuts(image.height);
    for (int j = 0; j < 4; ++j) {
        for (int i = 0; i < 4; ++i)
            EqualizeAreaInPlace(result.data(), image.width, image.height, columns[i], rows[j], columns[i + 1],
                                rows[j + 1]);
    }
    return result;
}

}  // namespace lumagrove
