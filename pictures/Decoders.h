#pragma once

#include <cstdint>
#include <span>

#include "base/PixelArray.h"

namespace lumagrove::pictures {

using Bytes = std::span<const std::uint8_t>;

// What a decoder makes of a picture: grey pixels in the order they are
// stored, and the orientation the picture asks them to be shown in.
struct DecodedPicture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    PixelArray grey;
    int orientation = 1;  // the EXIF values 1 to 8; 1 is as stored
};

enum class DecodeOutcome {
    Done,
    NotAPicture,  // damaged, truncated, or a kind of picture we do not read
    TooLarge,     // more pixels than an image here can hold
    OutOfMemory,
};

// One decoder per format. Each checks the size before allocating, leaves
// `picture` empty unless it returns Done, and never reads outside `bytes`.
DecodeOutcome DecodePng(Bytes bytes, DecodedPicture& picture);
DecodeOutcome DecodeJpeg(Bytes bytes, DecodedPicture& picture);
DecodeOutcome DecodeTiff(Bytes bytes, DecodedPicture& picture);
DecodeOutcome DecodeBmp(Bytes bytes, DecodedPicture& picture);
DecodeOutcome DecodeWebp(Bytes bytes, DecodedPicture& picture);

// How long a file can be that starts with `head`, in each format: see
// BoundedRead.h.
std::uint64_t PngLengthDeclared(Bytes head);
std::uint64_t JpegLengthDeclared(Bytes head);
std::uint64_t TiffLengthDeclared(Bytes head);
std::uint64_t BmpLengthDeclared(Bytes head);
std::uint64_t WebpLengthDeclared(Bytes head);

}  // namespace lumagrove::pictures
