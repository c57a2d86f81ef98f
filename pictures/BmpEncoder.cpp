// BMP written by hand: 8 bits a pixel through a table of the 256 greys, rows
// from the bottom up, each padded to four bytes, as every reader expects.
#include <array>
#include <cstdint>
#include <vector>

#include "pictures/Encoders.h"

namespace lumagrove::pictures {
namespace {

constexpr std::uint32_t kFileHeaderBytes = 14;
constexpr std::uint32_t kInfoHeaderBytes = 40;
constexpr std::uint32_t kPaletteBytes = 256 * 4;

void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::vector<std::uint8_t> Headers(std::int32_t width, std::int32_t height, std::uint32_t rowBytes) {
    const std::uint32_t pixelsAt = kFileHeaderBytes + kInfoHeaderBytes + kPaletteBytes;
    const std::uint32_t pixelBytes = rowBytes * static_cast<std::uint32_t>(height);
    std::vector<std::uint8_t> out{'B', 'M'};
    PutLittleEndian(out, pixelsAt + pixelBytes, 4);
    PutLittleEndian(out, 0, 4);  // reserved
    PutLittleEndian(out, pixelsAt, 4);
    PutLittleEndian(out, kInfoHeaderBytes, 4);
    PutLittleEndian(out, static_cast<std::uint32_t>(width), 4);
    PutLittleEndian(out, static_cast<std::uint32_t>(height), 4);  // positive: bottom-up
    PutLittleEndian(out, 1, 2);                                   // planes
    PutLittleEndian(out, 8, 2);                                   // bits a pixel
    PutLittleEndian(out, 0, 4);                                   // no compression
    PutLittleEndian(out, pixelBytes, 4);
    PutLittleEndian(out, 2835, 4);  // 72 dots an inch, as metres
    PutLittleEndian(out, 2835, 4);
    PutLittleEndian(out, 256, 4);  // colours used
    PutLittleEndian(out, 0, 4);    // all of them important
    for (std::uint32_t grey = 0; grey < 256; ++grey) PutLittleEndian(out, grey * 0x010101u, 4);
    return out;
}

}  // namespace

bool EncodeBmp(const PicturePixels& pixels, std::FILE* stream) {
    if (pixels.width < 1 || pixels.height < 1 || pixels.samplesPerPixel != 1) return false;
    const auto width = static_cast<std::size_t>(pixels.width);
    const std::uint32_t rowBytes = (static_cast<std::uint32_t>(pixels.width) + 3u) & ~3u;
    const std::vector<std::uint8_t> headers = Headers(pixels.width, pixels.height, rowBytes);
    if (std::fwrite(headers.data(), 1, headers.size(), stream) != headers.size()) return false;
    const std::array<std::uint8_t, 3> padding{};
    for (std::int32_t y = pixels.height - 1; y >= 0; --y) {
        const std::uint8_t* row = pixels.samples + static_cast<std::size_t>(y) * width;
        if (std::fwrite(row, 1, width, stream) != width) return false;
        if (std::fwrite(padding.data(), 1, rowBytes - width, stream) != rowBytes - width) return false;
    }
    return std::fflush(stream) == 0;
}

}  // namespace lumagrove::pictures
