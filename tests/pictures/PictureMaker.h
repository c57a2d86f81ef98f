#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lumagrove::testing {

// Hand-built pictures for the tests, written straight through the format
// libraries (not through the program's own writers), so that every kind of
// picture a reader must handle can be made: any bit depth and channel
// layout, palettes, transparency, orientation, pages, tiles.

// An EXIF block (TIFF-structured, as in a PNG eXIf chunk or after a JPEG's
// "Exif\0\0") holding one Orientation entry, after an unrelated entry.
std::string ExifWithOrientation(int orientation, bool bigEndian);

struct PngPicture {
    PngPicture(int width, int height, int colourType, int bitDepth)
        : width(width), height(height), colourType(colourType), bitDepth(bitDepth) {}
    int width = 0;
    int height = 0;
    int colourType = 0;  // PNG_COLOR_TYPE_*
    int bitDepth = 8;
    std::vector<std::uint16_t> samples;  // interleaved; palette pictures: indices
    std::vector<std::uint8_t> palette;   // RGB triples
    std::vector<std::uint8_t> paletteAlpha;
    std::vector<std::uint16_t> transparentColour;  // grey or RGB of a tRNS chunk
    bool interlaced = false;
    std::string exif;
    bool exifAfterPixels = false;
    int level = 6;
};
std::string MakePng(const PngPicture& picture);

struct JpegPicture {
    JpegPicture(int width, int height, int components) : width(width), height(height), components(components) {}
    int width = 0;
    int height = 0;
    int components = 1;  // 1 grey, 3 RGB, 4 CMYK (written as Adobe inverted inks)
    std::vector<std::uint8_t> samples;
    int quality = 100;
    bool progressive = false;
    std::string exif;
};
std::string MakeJpeg(const JpegPicture& picture);

struct TiffPage {
    TiffPage(int width, int height, int bits = 8, int samplesPerPixel = 1, int photometric = 1, bool planes = false,
             int extraSample = -1)
        : width(width),
          height(height),
          bits(bits),
          samplesPerPixel(samplesPerPixel),
          photometric(photometric),
          planes(planes),
          extraSample(extraSample) {}
    int width = 0;
    int height = 0;
    int bits = 8;
    int samplesPerPixel = 1;
    int photometric = 1;  // PHOTOMETRIC_MINISBLACK
    bool planes = false;
    int extraSample = -1;                         // EXTRASAMPLE_* of the last sample, if any
    std::vector<std::uint16_t> samples;           // interleaved
    std::vector<std::uint16_t> red, green, blue;  // a palette's colour map
    int orientation = 1;
    int tileSide = 0;      // 0: strips
    int rowsPerStrip = 0;  // 0: libtiff's choice
    int compression = 1;   // COMPRESSION_*
};
// Every page in one file, which is created in `folder` and read back.
std::string MakeTiff(const std::vector<TiffPage>& pages, const std::string& folder);

// RGBA frames; lossless keeps every value (also under full transparency).
std::string MakeWebp(int width, int height, const std::vector<std::uint8_t>& rgba, bool lossless);
std::string MakeAnimatedWebp(int width, int height, const std::vector<std::vector<std::uint8_t>>& frames);

}  // namespace lumagrove::testing
