#include "hough/HoughTransform.h"

#include "imaging/EdgeDetection.h"

namespace lumagrove {

EdgePoints FindEdges(ImageView image, const EdgeSettings& edges) {
    const PixelArray edgeMap = edges.byDirection ? EdgesByDirection(image, edges.threshold, edges.direction)
                                                 : EdgesByGradient(image, edges.threshold);
    return EdgePoints(edgeMap, image.width, image.height);
}

PixelArray Superimposed(ImageView image, const PixelArray& overlay) {
    PixelArray result = PixelArray::CopyOf(image.pixels.data(), image.pixels.size());
    std::uint8_t* out = result.data();
    const std::uint8_t* drawn = overlay.data();
    // Branch-free so that it runs as vector code.
    for (std::size_t i = 0; i < result.size(); ++i) out[i] = drawn[i] != 0 ? 255 : out[i];
    return result;
}

}  // namespace lumagrove
