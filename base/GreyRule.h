#pragma once

#include <cstdint>

namespace lumagrove {

// How samples of any depth and colour become 8-bit grey, one rule for every
// file the program reads (pictures and the netpbm family alike):
//   - every sample is first brought to 8 bits, rounding to nearest;
//   - a pixel with transparency is laid over white, channel by channel:
//     c' = (c * a + 255 * (255 - a) + 127) / 255, which is c * a / 255 +
//     (255 - a) rounded to nearest (premultiplied samples add 255 - a);
//   - grey stays as it is; colour becomes the 14-bit fixed-point luma
//     Y = (4899 R + 9617 G + 1868 B + 8192) >> 14.
// Equal R, G and B give back that value exactly: the weights sum to 16384.

// A sample from 0 to `maximum` (1 to 65535) spread over 0..255.
constexpr std::uint8_t ScaleToEightBits(std::uint32_t value, std::uint32_t maximum) {
    return static_cast<std::uint8_t>((value * 255u + maximum / 2) / maximum);
}

constexpr std::uint8_t ScaleSixteenBits(std::uint32_t value) { return ScaleToEightBits(value, 65535u); }

// A sample of `bits` bits (1 to 16) spread over 0..255, rounding to nearest.
constexpr std::uint8_t ScaleBits(std::uint32_t value, int bits) {
    return ScaleToEightBits(value, (std::uint32_t{1} << bits) - 1);
}

constexpr std::uint8_t OverWhite(std::uint32_t channel, std::uint32_t alpha) {
    return static_cast<std::uint8_t>((channel * alpha + 255u * (255u - alpha) + 127u) / 255u);
}

// Premultiplied (associated) alpha: the colour already carries its weight.
constexpr std::uint8_t PremultipliedOverWhite(std::uint32_t channel, std::uint32_t alpha) {
    const std::uint32_t value = channel + (255u - alpha);
    return static_cast<std::uint8_t>(value > 255u ? 255u : value);
}

constexpr std::uint8_t Luma(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    return static_cast<std::uint8_t>((4899u * red + 9617u * green + 1868u * blue + 8192u) >> 14);
}

// The samples of one pixel, 8 bits each, as readers hand them over.
enum class Channels { Grey = 1, GreyAlpha = 2, Rgb = 3, Rgba = 4 };

constexpr int SamplesPerPixel(Channels channels) { return static_cast<int>(channels); }

// Turns one row of interleaved 8-bit samples into grey. `premultiplied`
// says the alpha, if any, is associated with the colour.
void RowToGrey(const std::uint8_t* samples, Channels channels, std::int32_t width, std::uint8_t* grey,
               bool premultiplied = false);

}  // namespace lumagrove
