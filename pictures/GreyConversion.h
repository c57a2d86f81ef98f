#pragma once

#include <array>
#include <cstdint>

#include "base/GreyRule.h"

namespace lumagrove::pictures {

// Pictures become grey by the program's one rule (base/GreyRule.h); the
// decoders name its parts from here.
using lumagrove::Channels;
using lumagrove::Luma;
using lumagrove::OverWhite;
using lumagrove::PremultipliedOverWhite;
using lumagrove::RowToGrey;
using lumagrove::SamplesPerPixel;
using lumagrove::ScaleBits;
using lumagrove::ScaleSixteenBits;

// A colour table entry, already at 8 bits, with its alpha (255: opaque).
struct PaletteEntry {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t alpha = 255;
};

// The grey each of 256 indices stands for; indices past the table are black.
using GreyPalette = std::array<std::uint8_t, 256>;
GreyPalette GreyOfPalette(const PaletteEntry* entries, int count);

}  // namespace lumagrove::pictures
