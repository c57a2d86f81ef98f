// WebP through libwebp. An animation gives its first frame, as a multi-page
// TIFF gives its first page.
#include <webp/decode.h>
#include <webp/demux.h>

#include <memory>
#include <vector>

#include "pictures/Decoders.h"
#include "pictures/GreyConversion.h"
#include "pictures/MemoryBudget.h"

namespace lumagrove::pictures {
namespace {

void RowsToGrey(const std::uint8_t* samples, Channels channels, std::int32_t width, std::int32_t height,
                std::uint8_t* grey) {
    const std::size_t rowSamples = static_cast<std::size_t>(width) * SamplesPerPixel(channels);
    for (std::int32_t y = 0; y < height; ++y) {
        RowToGrey(samples + y * rowSamples, channels, width, grey + static_cast<std::size_t>(y) * width);
    }
}

struct AnimationFree {
    void operator()(WebPAnimDecoder* decoder) const { WebPAnimDecoderDelete(decoder); }
};

DecodeOutcome DecodeFirstFrame(Bytes bytes, DecodedPicture& picture) {
    const WebPData data{bytes.data(), bytes.size()};
    WebPAnimDecoderOptions options;
    if (!WebPAnimDecoderOptionsInit(&options)) return DecodeOutcome::NotAPicture;
    options.color_mode = MODE_RGBA;
    options.use_threads = 0;
    const std::unique_ptr<WebPAnimDecoder, AnimationFree> decoder(WebPAnimDecoderNew(&data, &options));
    WebPAnimInfo info;
    if (!decoder || !WebPAnimDecoderGetInfo(decoder.get(), &info)) return DecodeOutcome::NotAPicture;
    const DecodeOutcome fits = CheckPictureSize(info.canvas_width, info.canvas_height, 0);
    if (fits != DecodeOutcome::Done) return fits;

    std::uint8_t* canvas = nullptr;
    int timestamp = 0;
    if (!WebPAnimDecoderGetNext(decoder.get(), &canvas, &timestamp)) return DecodeOutcome::NotAPicture;
    const auto width = static_cast<std::int32_t>(info.canvas_width);
    const auto height = static_cast<std::int32_t>(info.canvas_height);
    PixelArray grey(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    RowsToGrey(canvas, Channels::Rgba, width, height, grey.data());
    picture = {width, height, std::move(grey), 1};
    return DecodeOutcome::Done;
}

}  // namespace

DecodeOutcome DecodeWebp(Bytes bytes, DecodedPicture& picture) {
    WebPBitstreamFeatures features;
    if (WebPGetFeatures(bytes.data(), bytes.size(), &features) != VP8_STATUS_OK) return DecodeOutcome::NotAPicture;
    if (features.has_animation) return DecodeFirstFrame(bytes, picture);

    const Channels channels = features.has_alpha ? Channels::Rgba : Channels::Rgb;
    const auto width = static_cast<std::uint64_t>(features.width);
    const auto height = static_cast<std::uint64_t>(features.height);
    const std::uint64_t decodedBytes = width * height * SamplesPerPixel(channels);
    const DecodeOutcome fits = CheckPictureSize(width, height, decodedBytes);
    if (fits != DecodeOutcome::Done) return fits;

    std::vector<std::uint8_t> decoded(static_cast<std::size_t>(decodedBytes));
    const int stride = features.width * SamplesPerPixel(channels);
    const std::uint8_t* done =
        features.has_alpha ? WebPDecodeRGBAInto(bytes.data(), bytes.size(), decoded.data(), decoded.size(), stride)
                           : WebPDecodeRGBInto(bytes.data(), bytes.size(), decoded.data(), decoded.size(), stride);
    if (done == nullptr) return DecodeOutcome::NotAPicture;
    PixelArray grey(static_cast<std::size_t>(width * height));
    RowsToGrey(decoded.data(), channels, features.width, features.height, grey.data());
    picture = {features.width, features.height, std::move(grey), 1};
    return DecodeOutcome::Done;
}

}  // namespace lumagrove::pictures
