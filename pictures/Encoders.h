#pragma once

#include <cstdint>
#include <cstdio>

namespace lumagrove::pictures {

// The pixels of a picture to write: 8-bit samples, grey (1 a pixel) or RGB
// (3 a pixel), rows one after another without gaps.
struct PicturePixels {
    std::int32_t width = 0;
    std::int32_t height = 0;
    int samplesPerPixel = 1;
    const std::uint8_t* samples = nullptr;
};

// The zlib level pictures are written at: PNG and the TIFF's deflate alike.
inline constexpr int kCompressionLevel = 6;

// Each writes one whole file to `stream` and returns false if the stream
// refused any of it. Nothing is lost but in JPEG.
bool EncodePng(const PicturePixels& pixels, std::FILE* stream);
bool EncodeTiff(const PicturePixels& pixels, std::FILE* stream);

// Lossless WebP and 8-bit BMP take grey only; WebP no side above 16383.
bool EncodeWebp(const PicturePixels& pixels, std::FILE* stream);
bool EncodeBmp(const PicturePixels& pixels, std::FILE* stream);

// Baseline JPEG at a quality from 1 to 100 (lossy).
bool EncodeJpeg(const PicturePixels& pixels, int quality, std::FILE* stream);

}  // namespace lumagrove::pictures
