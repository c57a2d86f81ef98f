#include "PictureMaker.h"

#include <png.h>
#include <tiffio.h>
#include <webp/encode.h>
#include <webp/mux.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

namespace lumagrove::testing {
namespace {

void Put16(std::string& out, unsigned value, bool bigEndian) {
    const char high = static_cast<char>(value >> 8), low = static_cast<char>(value & 0xff);
    out += bigEndian ? std::string{high, low} : std::string{low, high};
}
void Put32(std::string& out, unsigned value, bool bigEndian) {
    Put16(out, bigEndian ? value >> 16 : value & 0xffff, bigEndian);
    Put16(out, bigEndian ? value & 0xffff : value >> 16, bigEndian);
}

void AppendToString(png_structp png, png_bytep data, png_size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}
void NoFlush(png_structp) {}
// A failure here is a fault in the test itself.
[[noreturn]] void StopOnPngError(png_structp, png_const_charp message) {
    std::fprintf(stderr, "test picture: %s\n", message);
    std::abort();
}

int ChannelsOf(int colourType) {
    switch (colourType) {
        case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
        case PNG_COLOR_TYPE_RGB: return 3;
        case PNG_COLOR_TYPE_RGB_ALPHA: return 4;
        default: return 1;
    }
}

// Packs samples of 1 to 16 bits into one row, most significant bits first.
std::vector<png_byte> PackRow(const std::uint16_t* samples, int count, int bits) {
    std::vector<png_byte> row((static_cast<std::size_t>(count) * bits + 7) / 8);
    for (int i = 0; i < count; ++i) {
        if (bits == 16) {
            row[2 * i] = static_cast<png_byte>(samples[i] >> 8);
            row[2 * i + 1] = static_cast<png_byte>(samples[i]);
        } else {
            const int bit = i * bits;
            row[bit / 8] |= static_cast<png_byte>(samples[i] << (8 - bits - bit % 8));
        }
    }
    return row;
}

}  // namespace

std::string ExifWithOrientation(int orientation, bool bigEndian) {
    std::string block = bigEndian ? "MM" : "II";
    Put16(block, 42, bigEndian);
    Put32(block, 8, bigEndian);
    Put16(block, 2, bigEndian);       // two entries
    Put16(block, 0x010f, bigEndian);  // Make, ASCII, 4 bytes in place
    Put16(block, 2, bigEndian);
    Put32(block, 4, bigEndian);
    block += std::string("cam\0", 4);
    Put16(block, 0x0112, bigEndian);  // Orientation, SHORT, 1 value
    Put16(block, 3, bigEndian);
    Put32(block, 1, bigEndian);
    Put16(block, static_cast<unsigned>(orientation), bigEndian);
    Put16(block, 0, bigEndian);
    Put32(block, 0, bigEndian);  // no next directory
    return block;
}

std::string MakePng(const PngPicture& picture) {
    std::string out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, StopOnPngError, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, AppendToString, NoFlush);
    png_set_compression_level(png, picture.level);
    png_set_IHDR(png, info, picture.width, picture.height, picture.bitDepth, picture.colourType,
                 picture.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!picture.palette.empty()) {
        std::vector<png_color> colours(picture.palette.size() / 3);
        for (std::size_t i = 0; i < colours.size(); ++i) {
            colours[i] = {picture.palette[3 * i], picture.palette[3 * i + 1], picture.palette[3 * i + 2]};
        }
        png_set_PLTE(png, info, colours.data(), static_cast<int>(colours.size()));
    }
    if (!picture.paletteAlpha.empty()) {
        png_set_tRNS(png, info, picture.paletteAlpha.data(), static_cast<int>(picture.paletteAlpha.size()), nullptr);
    }
    if (!picture.transparentColour.empty()) {
        png_color_16 colour{};
        if (picture.transparentColour.size() == 1) {
            colour.gray = picture.transparentColour[0];
        } else {
            colour.red = picture.transparentColour[0];
            colour.green = picture.transparentColour[1];
            colour.blue = picture.transparentColour[2];
        }
        png_set_tRNS(png, info, nullptr, 0, &colour);
    }
    std::vector<png_byte> exif(picture.exif.begin(), picture.exif.end());
    if (!exif.empty() && !picture.exifAfterPixels)
        png_set_eXIf_1(png, info, static_cast<png_uint_32>(exif.size()), exif.data());
    png_write_info(png, info);

    const int perRow = picture.width * ChannelsOf(picture.colourType);
    std::vector<std::vector<png_byte>> rows;
    std::vector<png_bytep> pointers;
    for (int y = 0; y < picture.height; ++y) {
        rows.push_back(
            PackRow(picture.samples.data() + static_cast<std::size_t>(y) * perRow, perRow, picture.bitDepth));
    }
    for (auto& row : rows) pointers.push_back(row.data());
    png_write_image(png, pointers.data());
    if (!exif.empty() && picture.exifAfterPixels)
        png_set_eXIf_1(png, info, static_cast<png_uint_32>(exif.size()), exif.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

std::string MakeJpeg(const JpegPicture& picture) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(picture.width);
    info.image_height = static_cast<JDIMENSION>(picture.height);
    info.input_components = picture.components;
    info.in_color_space = picture.components == 1 ? JCS_GRAYSCALE : picture.components == 3 ? JCS_RGB : JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, picture.quality, TRUE);
    if (picture.progressive) jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    if (!picture.exif.empty()) {
        const std::string segment = std::string("Exif\0\0", 6) + picture.exif;
        jpeg_write_marker(&info, JPEG_APP0 + 1, reinterpret_cast<const JOCTET*>(segment.data()),
                          static_cast<unsigned>(segment.size()));
    }
    const std::size_t rowBytes = static_cast<std::size_t>(picture.width) * picture.components;
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<std::uint8_t*>(picture.samples.data() + info.next_scanline * rowBytes);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    std::string out(reinterpret_cast<const char*>(buffer), size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return out;
}

std::string MakeTiff(const std::vector<TiffPage>& pages, const std::string& folder) {
    const std::string name = folder + "/made.tif";
    TIFF* tiff = TIFFOpen(name.c_str(), "w");
    if (tiff == nullptr) throw std::runtime_error("cannot create " + name);
    for (const TiffPage& page : pages) {
        TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, page.width);
        TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, page.height);
        TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, page.bits);
        TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, page.samplesPerPixel);
        TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, page.photometric);
        TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, page.planes ? PLANARCONFIG_SEPARATE : PLANARCONFIG_CONTIG);
        TIFFSetField(tiff, TIFFTAG_ORIENTATION, page.orientation);
        TIFFSetField(tiff, TIFFTAG_COMPRESSION, page.compression);
        if (page.extraSample >= 0) {
            const std::uint16_t kind = static_cast<std::uint16_t>(page.extraSample);
            TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, &kind);
        }
        if (!page.red.empty()) {
            TIFFSetField(tiff, TIFFTAG_COLORMAP, page.red.data(), page.green.data(), page.blue.data());
        }
        if (page.tileSide > 0) {
            TIFFSetField(tiff, TIFFTAG_TILEWIDTH, page.tileSide);
            TIFFSetField(tiff, TIFFTAG_TILELENGTH, page.tileSide);
        } else {
            TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP,
                         page.rowsPerStrip > 0 ? page.rowsPerStrip : TIFFDefaultStripSize(tiff, 0));
        }
        // The samples of each plane (or the interleaved ones), row by row or tile by tile.
        const int planes = page.planes ? page.samplesPerPixel : 1;
        const int perPixel = page.planes ? 1 : page.samplesPerPixel;
        const auto sample = [&](int x, int y, int plane, int s) {
            return page.samples[(static_cast<std::size_t>(y) * page.width + x) * page.samplesPerPixel + plane + s];
        };
        for (int plane = 0; plane < planes; ++plane) {
            if (page.tileSide > 0) {
                const int side = page.tileSide;
                for (int ty = 0; ty < page.height; ty += side) {
                    for (int tx = 0; tx < page.width; tx += side) {
                        std::vector<std::uint16_t> tile(static_cast<std::size_t>(side) * side * perPixel);
                        for (int y = ty; y < std::min(ty + side, page.height); ++y) {
                            for (int x = tx; x < std::min(tx + side, page.width); ++x) {
                                for (int s = 0; s < perPixel; ++s) {
                                    tile[(static_cast<std::size_t>(y - ty) * side + (x - tx)) * perPixel + s] =
                                        sample(x, y, plane, s);
                                }
                            }
                        }
                        std::vector<png_byte> packed;
                        for (int r = 0; r < side; ++r) {
                            const auto row = PackRow(tile.data() + static_cast<std::size_t>(r) * side * perPixel,
                                                     side * perPixel, page.bits);
                            packed.insert(packed.end(), row.begin(), row.end());
                        }
                        if (page.bits == 16) {  // libtiff takes 16-bit samples in the machine's order
                            for (std::size_t i = 0; i + 1 < packed.size(); i += 2) std::swap(packed[i], packed[i + 1]);
                        }
                        TIFFWriteTile(tiff, packed.data(), tx, ty, 0, static_cast<std::uint16_t>(plane));
                    }
                }
            } else {
                for (int y = 0; y < page.height; ++y) {
                    std::vector<std::uint16_t> values;
                    for (int x = 0; x < page.width; ++x) {
                        for (int s = 0; s < perPixel; ++s) values.push_back(sample(x, y, plane, s));
                    }
                    auto packed = PackRow(values.data(), static_cast<int>(values.size()), page.bits);
                    if (page.bits == 16) {
                        for (std::size_t i = 0; i + 1 < packed.size(); i += 2) std::swap(packed[i], packed[i + 1]);
                    }
                    TIFFWriteScanline(tiff, packed.data(), static_cast<std::uint32_t>(y),
                                      static_cast<std::uint16_t>(plane));
                }
            }
        }
        TIFFWriteDirectory(tiff);
    }
    TIFFClose(tiff);
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string MakeWebp(int width, int height, const std::vector<std::uint8_t>& rgba, bool lossless) {
    WebPConfig config;
    WebPConfigInit(&config);
    config.lossless = lossless ? 1 : 0;
    config.exact = 1;
    WebPPicture picture;
    WebPPictureInit(&picture);
    picture.use_argb = 1;
    picture.width = width;
    picture.height = height;
    WebPPictureImportRGBA(&picture, rgba.data(), width * 4);
    WebPMemoryWriter writer;
    WebPMemoryWriterInit(&writer);
    picture.writer = WebPMemoryWrite;
    picture.custom_ptr = &writer;
    if (!WebPEncode(&config, &picture)) throw std::runtime_error("WebP encoding failed");
    std::string out(reinterpret_cast<const char*>(writer.mem), writer.size);
    WebPMemoryWriterClear(&writer);
    WebPPictureFree(&picture);
    return out;
}

std::string MakeAnimatedWebp(int width, int height, const std::vector<std::vector<std::uint8_t>>& frames) {
    WebPAnimEncoderOptions options;
    WebPAnimEncoderOptionsInit(&options);
    WebPAnimEncoder* encoder = WebPAnimEncoderNew(width, height, &options);
    WebPConfig config;
    WebPConfigInit(&config);
    config.lossless = 1;
    config.exact = 1;
    int timestamp = 0;
    for (const auto& frame : frames) {
        WebPPicture picture;
        WebPPictureInit(&picture);
        picture.use_argb = 1;
        picture.width = width;
        picture.height = height;
        WebPPictureImportRGBA(&picture, frame.data(), width * 4);
        WebPAnimEncoderAdd(encoder, &picture, timestamp, &config);
        WebPPictureFree(&picture);
        timestamp += 100;
    }
    WebPAnimEncoderAdd(encoder, nullptr, timestamp, nullptr);
    WebPData data;
    WebPDataInit(&data);
    WebPAnimEncoderAssemble(encoder, &data);
    std::string out(reinterpret_cast<const char*>(data.bytes), data.size);
    WebPDataClear(&data);
    WebPAnimEncoderDelete(encoder);
    return out;
}

}  // namespace lumagrove::testing
