#include "hough/HoughTransform.h"

#include "base/ImageSize.h"
#include "imaging/EdgeDetection.h"

namespace lumagrove {

void HoughTransform::storeImage(std::span<const std::uint8_t> source, std::int32_t width, std::int32_t height) {
    const std::int32_t size = CheckedPixelCount(source, width, height);
    pixels = PixelArray::CopyOf(source.data(), static_cast<std::size_t>(size));
    overlay = PixelArray::Filled(static_cast<std::size_t>(size), 0);
    this->width = width;
    this->height = height;
    count = size;
}

EdgePoints HoughTransform::findEdges(std::int32_t edgeThreshold, std::int32_t direction,
                                     std::int32_t useDirection) const {
    const ImageView image{pixels, width, height};
    const PixelArray edgeMap =
        useDirection != 0 ? EdgesByDirection(image, edgeThreshold, direction) : EdgesByGradient(image, edgeThreshold);
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
