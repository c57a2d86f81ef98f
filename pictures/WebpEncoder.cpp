// Lossless WebP through libwebp, which takes colour: each grey is given as
// equal red, green and blue, which its lossless coder keeps exactly.
#include <webp/encode.h>

#include <memory>
#include <new>
#include <vector>

#include "pictures/Encoders.h"

namespace lumagrove::pictures {
namespace {

struct WebpFree {
    void operator()(std::uint8_t* bytes) const { WebPFree(bytes); }
};

}  // namespace

bool EncodeWebp(const PicturePixels& pixels, std::FILE* stream) {
    if (pixels.width < 1 || pixels.height < 1 || pixels.width > WEBP_MAX_DIMENSION ||
        pixels.height > WEBP_MAX_DIMENSION || pixels.samplesPerPixel != 1) {
        return false;
    }
    const std::size_t count = static_cast<std::size_t>(pixels.width) * static_cast<std::size_t>(pixels.height);
    std::vector<std::uint8_t> rgb;
    try {
        rgb.resize(count * 3);
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (std::size_t i = 0; i < count; ++i) rgb[3 * i] = rgb[3 * i + 1] = rgb[3 * i + 2] = pixels.samples[i];
    std::uint8_t* encoded = nullptr;
    const std::size_t size = WebPEncodeLosslessRGB(rgb.data(), pixels.width, pixels.height, pixels.width * 3, &encoded);
    const std::unique_ptr<std::uint8_t, WebpFree> owned(encoded);
    return size != 0 && std::fwrite(encoded, 1, size, stream) == size && std::fflush(stream) == 0;
}

}  // namespace lumagrove::pictures
