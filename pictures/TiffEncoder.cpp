#include <tiffio.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "pictures/Encoders.h"
#include "pictures/TiffMemory.h"

namespace lumagrove::pictures {
namespace {

// Strips of about 256 KB, which any reader takes in small steps.
constexpr std::uint32_t kStripBytes = 256 * 1024;

bool WriteTags(TIFF* tiff, const PicturePixels& pixels) {
    const auto width = static_cast<std::uint32_t>(pixels.width);
    const std::uint32_t rowBytes = width * static_cast<std::uint32_t>(pixels.samplesPerPixel);
    const std::uint32_t rowsPerStrip = std::max<std::uint32_t>(1, kStripBytes / rowBytes);
    return TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, width) && TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, pixels.height) &&
           TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8) &&
           TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, pixels.samplesPerPixel) &&
           TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC,
                        pixels.samplesPerPixel == 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK) &&
           TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) &&
           TIFFSetField(tiff, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT) &&
           TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_ADOBE_DEFLATE) &&
           TIFFSetField(tiff, TIFFTAG_ZIPQUALITY, kCompressionLevel) &&
           TIFFSetField(tiff, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL) &&
           TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, rowsPerStrip);
}

}  // namespace

bool EncodeTiff(const PicturePixels& pixels, std::FILE* stream) {
    if (pixels.width < 1 || pixels.height < 1) return false;
    TiffMemory memory;
    {
        const TiffHandle tiff = OpenTiffForWriting(memory);
        if (!tiff || !WriteTags(tiff.get(), pixels)) return false;
        // libtiff's predictor works in the row it is given, so each row goes
        // through a copy and the caller's pixels stay as they are.
        const std::size_t rowBytes =
            static_cast<std::size_t>(pixels.width) * static_cast<std::size_t>(pixels.samplesPerPixel);
        std::vector<std::uint8_t> row(rowBytes);
        for (std::int32_t y = 0; y < pixels.height; ++y) {
            std::memcpy(row.data(), pixels.samples + static_cast<std::size_t>(y) * rowBytes, rowBytes);
            if (TIFFWriteScanline(tiff.get(), row.data(), static_cast<std::uint32_t>(y), 0) < 0) return false;
        }
        if (!TIFFFlush(tiff.get())) return false;
    }
    return std::fwrite(memory.written.data(), 1, memory.written.size(), stream) == memory.written.size() &&
           std::fflush(stream) == 0;
}

}  // namespace lumagrove::pictures
