// WebP through libwebp. An animation gives its first frame, as a multi-page
// TIFF gives its first page: that frame on the canvas, transparent elsewhere,
// as a player first shows it. Only the frame itself is decoded, into a buffer
// of its own size; libwebp's animation decoder would hold two RGBA canvases
// besides, eight bytes a canvas pixel for a frame that may be tiny.
#include <webp/decode.h>
#include <webp/demux.h>

#include <memory>

#include "pictures/Decoders.h"
#include "pictures/GreyConversion.h"
#include "pictures/MemoryBudget.h"

namespace lumagrove::pictures {
namespace {

struct DemuxerFree {
    void operator()(WebPDemuxer* demuxer) const { WebPDemuxDelete(demuxer); }
};

struct FrameRelease {
    void operator()(WebPIterator* frame) const { WebPDemuxReleaseIterator(frame); }
};

constexpr int kLosslessFormat = 2;  // WebPBitstreamFeatures::format

// Decodes a frame's bitstream into `samples`, RGB or RGBA as it has alpha.
DecodeOutcome DecodeFrame(const WebPIterator& frame, WebPDecoderConfig& config, std::uint8_t* samples,
                          std::size_t size) {
    config.output.colorspace = config.input.has_alpha ? MODE_RGBA : MODE_RGB;
    config.output.is_external_memory = 1;
    config.output.u.RGBA.rgba = samples;
    config.output.u.RGBA.stride = frame.width * (config.input.has_alpha ? 4 : 3);
    config.output.u.RGBA.size = size;
    config.options.use_threads = 0;
    const VP8StatusCode status = WebPDecode(frame.fragment.bytes, frame.fragment.size, &config);
    WebPFreeDecBuffer(&config.output);
    if (status == VP8_STATUS_OUT_OF_MEMORY) return DecodeOutcome::OutOfMemory;
    return status == VP8_STATUS_OK ? DecodeOutcome::Done : DecodeOutcome::NotAPicture;
}

}  // namespace

DecodeOutcome DecodeWebp(Bytes bytes, DecodedPicture& picture) {
    const WebPData data{bytes.data(), bytes.size()};
    const std::unique_ptr<WebPDemuxer, DemuxerFree> demuxer(WebPDemux(&data));
    if (!demuxer) return DecodeOutcome::NotAPicture;
    WebPIterator frame{};
    if (!WebPDemuxGetFrame(demuxer.get(), 1, &frame)) return DecodeOutcome::NotAPicture;
    const std::unique_ptr<WebPIterator, FrameRelease> releaseFrame(&frame);
    WebPDecoderConfig config;
    if (!WebPInitDecoderConfig(&config) ||
        WebPGetFeatures(frame.fragment.bytes, frame.fragment.size, &config.input) != VP8_STATUS_OK ||
        config.input.width != frame.width || config.input.height != frame.height) {
        return DecodeOutcome::NotAPicture;
    }

    // The decoded frame, and what the decoder holds while decoding it: a
    // lossless frame all its pixels at 32 bits, a lossy one its alpha plane.
    const std::uint64_t canvasWidth = WebPDemuxGetI(demuxer.get(), WEBP_FF_CANVAS_WIDTH);
    const std::uint64_t canvasHeight = WebPDemuxGetI(demuxer.get(), WEBP_FF_CANVAS_HEIGHT);
    const Channels channels = config.input.has_alpha ? Channels::Rgba : Channels::Rgb;
    const std::uint64_t framePixels =
        static_cast<std::uint64_t>(frame.width) * static_cast<std::uint64_t>(frame.height);
    const std::uint64_t samplesBytes = framePixels * SamplesPerPixel(channels);
    const std::uint64_t decoderBytes = framePixels * (config.input.format == kLosslessFormat ? 4 : 1);
    const DecodeOutcome fits = CheckPictureSize(canvasWidth, canvasHeight, samplesBytes + decoderBytes);
    if (fits != DecodeOutcome::Done) return fits;

    const auto samples = std::make_unique_for_overwrite<std::uint8_t[]>(static_cast<std::size_t>(samplesBytes));
    const DecodeOutcome decoded = DecodeFrame(frame, config, samples.get(), static_cast<std::size_t>(samplesBytes));
    if (decoded != DecodeOutcome::Done) return decoded;

    // Transparency over white: the canvas around the frame is white.
    const auto width = static_cast<std::int32_t>(canvasWidth);
    const auto height = static_cast<std::int32_t>(canvasHeight);
    const std::size_t canvasPixels = static_cast<std::size_t>(canvasWidth * canvasHeight);
    const bool frameCoversCanvas = frame.width == width && frame.height == height;
    PixelArray grey = frameCoversCanvas ? PixelArray(canvasPixels) : PixelArray::Filled(canvasPixels, 255);
    const std::size_t rowSamples = static_cast<std::size_t>(frame.width) * SamplesPerPixel(channels);
    for (int y = 0; y < frame.height; ++y) {
        std::uint8_t* row = grey.data() + static_cast<std::size_t>(frame.y_offset + y) * canvasWidth + frame.x_offset;
        RowToGrey(samples.get() + y * rowSamples, channels, frame.width, row);
    }
    picture = {width, height, std::move(grey), 1};
    return DecodeOutcome::Done;
}

}  // namespace lumagrove::pictures
