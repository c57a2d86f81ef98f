#include "hough/HoughTransform.h"

#include <algorithm>

#include "imaging/GrayImage.h"

namespace lumagrove {

void HoughTransform::storeImage(const std::uint8_t* source, std::int32_t width, std::int32_t height) {
    // A negative side would make a negative count; such an image has no pixels.
    const std::int32_t columns = std::max(width, 0);
    const std::int32_t rows = std::max(height, 0);
    const std::size_t size = static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows);
    pixels = PixelArray::CopyOf(source, size);
    overlay = PixelArray::Filled(size, 0);
    this->width = columns;
    this->height = rows;
    count = static_cast<std::int32_t>(size);
}

EdgePoints HoughTransform::findEdges(std::int32_t edgeThreshold, std::int32_t direction,
                                     std::int32_t useDirection) const {
    const PixelArray edgeMap = [&] {
        const GrayImage image(pixels.data(), width, height);
        return useDirection != 0 ? image.edgesByDirection(edgeThreshold, direction)
                                 : image.edgesByGradient(edgeThreshold);
    }();
    return EdgePoints(edgeMap, width, height);
}

PixelArray HoughTransform::overlayImage() const { return overlay.Clone(); }

PixelArray HoughTransform::superimposedImage() const {
    PixelArray result = pixels.Clone();
    std::uint8_t* out = result.data();
    const std::uint8_t* drawn = overlay.data();
    // Branch-free so that it runs as vector code.
    for (std::size_t i = 0; i < result.size(); ++i) out[i] = drawn[i] != 0 ? 255 : out[i];
    return result;
}

}  // namespace lumagrove
