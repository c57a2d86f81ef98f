#pragma once

#include <cstdint>
#include <limits>
#include <span>

namespace lumagrove {

// Operations count pixels in 32-bit signed integers, so no image may hold
// more pixels than that type counts.
inline constexpr std::int64_t kMaxPixelCount = std::numeric_limits<std::int32_t>::max();

// Whether two sides describe an image: each at least 1, and their product
// within kMaxPixelCount. The sides are 64-bit so that a reader can ask before
// narrowing what it parsed; each side is bounded before the product is taken,
// so the product cannot wrap.
constexpr bool IsValidImageSize(std::int64_t width, std::int64_t height) {
    return width >= 1 && height >= 1 && width <= kMaxPixelCount && height <= kMaxPixelCount &&
           width * height <= kMaxPixelCount;
}

// The pixel count of an image whose sides describe exactly `pixels`. Throws
// std::invalid_argument otherwise: an entry's source is checked with it once,
// before the operation runs, so an operation is never handed sides that
// disagree with its pixels.
std::int32_t CheckedPixelCount(std::span<const std::uint8_t> pixels, std::int32_t width, std::int32_t height);

}  // namespace lumagrove
