// JPEG through libjpeg-turbo, whose errors come back by longjmp: the
// function that calls into it holds no C++ object a jump could skip.
#include <csetjmp>
#include <cstddef>
#include <cstdio>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

#include "pictures/Encoders.h"

namespace lumagrove::pictures {
namespace {

struct JumpingErrors {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

[[noreturn]] void JumpOnError(j_common_ptr info) { std::longjmp(reinterpret_cast<JumpingErrors*>(info->err)->jump, 1); }
void DropMessage(j_common_ptr, int) {}

bool WriteAll(jpeg_compress_struct& info, JumpingErrors& errors, const PicturePixels& pixels, int quality,
              std::FILE* stream) {
    if (setjmp(errors.jump)) return false;
    jpeg_stdio_dest(&info, stream);
    info.image_width = static_cast<JDIMENSION>(pixels.width);
    info.image_height = static_cast<JDIMENSION>(pixels.height);
    info.input_components = pixels.samplesPerPixel;
    info.in_color_space = pixels.samplesPerPixel == 3 ? JCS_RGB : JCS_GRAYSCALE;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    const std::size_t rowBytes =
        static_cast<std::size_t>(pixels.width) * static_cast<std::size_t>(pixels.samplesPerPixel);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<std::uint8_t*>(pixels.samples + info.next_scanline * rowBytes);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    return true;
}

}  // namespace

bool EncodeJpeg(const PicturePixels& pixels, int quality, std::FILE* stream) {
    if (pixels.width < 1 || pixels.height < 1) return false;
    JumpingErrors errors{};
    jpeg_compress_struct info{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = JumpOnError;
    errors.base.emit_message = DropMessage;
    jpeg_create_compress(&info);
    const bool written = WriteAll(info, errors, pixels, quality, stream);
    jpeg_destroy_compress(&info);
    return written && std::ferror(stream) == 0 && std::fflush(stream) == 0;
}

}  // namespace lumagrove::pictures
