#include "base/ImageSize.h"

#include <stdexcept>
#include <string>

namespace lumagrove {

std::int32_t CheckedPixelCount(std::span<const std::uint8_t> pixels, std::int32_t width, std::int32_t height) {
    const std::string sides = std::to_string(width) + " x " + std::to_string(height);
    if (!IsValidImageSize(width, height)) throw std::invalid_argument("no image is " + sides + " pixels");
    const auto count = static_cast<std::int64_t>(width) * height;
    if (pixels.size() != static_cast<std::uint64_t>(count)) {
        throw std::invalid_argument(std::to_string(pixels.size()) + " pixels cannot be a " + sides + " image");
    }
    return static_cast<std::int32_t>(count);
}

}  // namespace lumagrove
