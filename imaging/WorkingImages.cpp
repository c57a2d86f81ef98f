#include "base/ImageSize.h"
#include "imaging/FilterImage.h"
#include "imaging/GrayImage.h"
#include "imaging/PixelBuffer.h"

namespace lumagrove {
namespace {

// A private copy of the source, once its sides are known to describe it.
PixelArray CheckedCopy(std::span<const std::uint8_t> source, std::int32_t width, std::int32_t height) {
    return PixelArray::CopyOf(source.data(), static_cast<std::size_t>(CheckedPixelCount(source, width, height)));
}

}  // namespace

PixelBuffer::PixelBuffer(std::span<const std::uint8_t> source, std::int32_t width, std::int32_t height)
    : pixels(CheckedCopy(source, width, height)), count(static_cast<std::int32_t>(pixels.size())) {}

GrayImage::GrayImage(std::span<const std::uint8_t> source, std::int32_t width, std::int32_t height)
    : pixels(CheckedCopy(source, width, height)),
      width(width),
      height(height),
      count(static_cast<std::int32_t>(pixels.size())) {}

FilterImage::FilterImage(std::span<const std::uint8_t> source, std::int32_t width, std::int32_t height)
    : source(CheckedCopy(source, width, height)),
      output(this->source.size()),
      width(width),
      height(height),
      count(static_cast<std::int32_t>(this->source.size())) {}

}  // namespace lumagrove
