#include "base/GreyRule.h"

#include <cstring>

namespace lumagrove {
namespace {

// One loop per layout, so that each stays a plain loop the compiler can
// vectorise.
void GreyAlphaRow(const std::uint8_t* in, std::int32_t width, std::uint8_t* grey, bool premultiplied) {
    for (std::int32_t x = 0; x < width; ++x, in += 2) {
        grey[x] = premultiplied ? PremultipliedOverWhite(in[0], in[1]) : OverWhite(in[0], in[1]);
    }
}

void RgbRow(const std::uint8_t* in, std::int32_t width, std::uint8_t* grey) {
    for (std::int32_t x = 0; x < width; ++x, in += 3) grey[x] = Luma(in[0], in[1], in[2]);
}

void RgbaRow(const std::uint8_t* in, std::int32_t width, std::uint8_t* grey, bool premultiplied) {
    for (std::int32_t x = 0; x < width; ++x, in += 4) {
        const std::uint32_t a = in[3];
        grey[x] = premultiplied ? Luma(PremultipliedOverWhite(in[0], a), PremultipliedOverWhite(in[1], a),
                                       PremultipliedOverWhite(in[2], a))
                                : Luma(OverWhite(in[0], a), OverWhite(in[1], a), OverWhite(in[2], a));
    }
}

}  // namespace

void RowToGrey(const std::uint8_t* samples, Channels channels, std::int32_t width, std::uint8_t* grey,
               bool premultiplied) {
    switch (channels) {
        case Channels::Grey: std::memcpy(grey, samples, static_cast<std::size_t>(width)); break;
        case Channels::GreyAlpha: GreyAlphaRow(samples, width, grey, premultiplied); break;
        case Channels::Rgb: RgbRow(samples, width, grey); break;
        case Channels::Rgba: RgbaRow(samples, width, grey, premultiplied); break;
    }
}

}  // namespace lumagrove
