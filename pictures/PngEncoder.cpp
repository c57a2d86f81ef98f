// PNG through libpng, which reports errors by longjmp: the function that
// calls into it holds no C++ object a jump could skip.
#include <png.h>
#include <zlib.h>

#include <csetjmp>

#include "pictures/Encoders.h"

namespace lumagrove::pictures {
namespace {

[[noreturn]] void JumpOnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void IgnoreWarning(png_structp, png_const_charp) {}

bool WriteAll(png_structp png, png_infop info, const PicturePixels& pixels, std::FILE* stream) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_init_io(png, stream);
    png_set_IHDR(png, info, static_cast<png_uint_32>(pixels.width), static_cast<png_uint_32>(pixels.height), 8,
                 pixels.samplesPerPixel == 3 ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    // Run-length matches only, after libpng's per-row choice of filter: on
    // photographs and on what the operations make of them the files come out
    // the size of a full search's (within a few per cent, often smaller),
    // written two to nine times faster, so that the writer no longer takes
    // most of a command's time.
    png_set_compression_level(png, kCompressionLevel);
    png_set_compression_strategy(png, Z_RLE);
    png_write_info(png, info);
    const std::size_t rowBytes =
        static_cast<std::size_t>(pixels.width) * static_cast<std::size_t>(pixels.samplesPerPixel);
    for (std::int32_t y = 0; y < pixels.height; ++y) {
        png_write_row(png, pixels.samples + static_cast<std::size_t>(y) * rowBytes);
    }
    png_write_end(png, info);
    return true;
}

}  // namespace

bool EncodePng(const PicturePixels& pixels, std::FILE* stream) {
    if (pixels.width < 1 || pixels.height < 1) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, JumpOnError, IgnoreWarning);
    png_infop info = png == nullptr ? nullptr : png_create_info_struct(png);
    const bool written = info != nullptr && WriteAll(png, info, pixels, stream);
    png_destroy_write_struct(&png, &info);
    return written && std::fflush(stream) == 0;
}

}  // namespace lumagrove::pictures
