#pragma once

#include <cstdint>
#include <string>

namespace lumagrove::testing {

// Small files that declare far more work or memory than they hold, built
// byte by byte or from a sound picture. The fuzzers' seeds in
// fuzz/corpus/pictures were written from them.

// A progressive JPEG whose last scan is repeated until it has `scans` in all.
std::string JpegWithScans(const std::string& progressive, int scans);

// A progressive JPEG with junk bytes between two of its scans.
std::string JpegWithExtraneousBytes(const std::string& progressive);

// An uncompressed 8-bit grey TIFF whose single strip or tile holds one
// byte. `tileSide` 0 gives strips of one row.
std::string TiffDeclaring(std::uint32_t width, std::uint32_t height, std::uint32_t tileSide);

// An animation of one frame (a simple lossless WebP, `frame`) at (x, y) of a
// larger canvas; x and y even.
std::string AnimationOnCanvas(std::uint32_t canvasWidth, std::uint32_t canvasHeight, std::uint32_t x, std::uint32_t y,
                              std::uint32_t frameWidth, std::uint32_t frameHeight, const std::string& frame);

// A 1 x 1 BMP of 32-bit pixels with these bit-field masks.
std::string BmpWithMasks(std::uint32_t pixel, std::uint32_t red, std::uint32_t green, std::uint32_t blue);

}  // namespace lumagrove::testing
