#include "imaging/FilterImage.h"
#include "imaging/GrayImage.h"
#include "imaging/PixelBuffer.h"

namespace lumagrove {
namespace {

// A negative side makes an empty image rather than a huge allocation.
std::size_t PixelCount(std::int32_t width, std::int32_t height) {
    if (width <= 0 || height <= 0) return 0;
    return static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
}

}  // namespace

PixelBuffer::PixelBuffer(const std::uint8_t* source, std::int32_t width, std::int32_t height)
    : pixels(PixelArray::CopyOf(source, PixelCount(width, height))),
      count(width * height) {}

GrayImage::GrayImage(const std::uint8_t* source, std::int32_t width, std::int32_t height)
    : pixels(PixelArray::CopyOf(source, PixelCount(width, height))),
      width(width),
      height(height),
      count(width * height) {}

FilterImage::FilterImage(const std::uint8_t* source, std::int32_t width, std::int32_t height)
    : source(PixelArray::CopyOf(source, PixelCount(width, height))),
      output(PixelCount(width, height)),
      width(width),
      height(height),
      count(width * height) {}

}  // namespace lumagrove
