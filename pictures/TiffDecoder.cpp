// TIFF through libtiff, first page only. Grey, colour and palette pictures
// with whole-number samples of 1, 2, 4, 8 or 16 bits, in strips or tiles,
// interleaved or in planes, are unpacked here so that every sample follows
// the common conversion rules exactly. Other colour models (YCbCr, CMYK, Lab,
// ...) go through libtiff's own RGBA conversion.
#include <tiffio.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "pictures/Decoders.h"
#include "pictures/GreyConversion.h"
#include "pictures/MemoryBudget.h"
#include "pictures/TiffMemory.h"

namespace lumagrove::pictures {
namespace {

struct TiffLayout {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint16_t bits = 0;
    std::uint16_t samplesPerPixel = 0;
    std::uint16_t photometric = 0;
    bool planes = false;  // one plane per sample instead of interleaved
    bool tiled = false;
    std::uint32_t blockWidth = 0;  // a tile, or a strip of full rows
    std::uint32_t blockHeight = 0;
    int colourSamples = 1;  // 1 or 3
    int alphaSample = -1;   // index of the alpha sample, if any
    bool premultiplied = false;
    bool inverted = false;  // 0 is white
    int orientation = 1;
};

bool ReadLayout(TIFF* tiff, TiffLayout& layout) {
    std::uint16_t planar = PLANARCONFIG_CONTIG, orientation = ORIENTATION_TOPLEFT;
    if (!TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &layout.width) ||
        !TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &layout.height)) {
        return false;
    }
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &layout.bits);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &layout.samplesPerPixel);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_PLANARCONFIG, &planar);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_ORIENTATION, &orientation);
    layout.planes = planar == PLANARCONFIG_SEPARATE;
    layout.orientation = orientation;
    if (!TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &layout.photometric)) {
        layout.photometric = layout.samplesPerPixel >= 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK;
    }
    layout.tiled = TIFFIsTiled(tiff) != 0;
    if (layout.tiled) {
        TIFFGetField(tiff, TIFFTAG_TILEWIDTH, &layout.blockWidth);
        TIFFGetField(tiff, TIFFTAG_TILELENGTH, &layout.blockHeight);
    } else {
        std::uint32_t rowsPerStrip = 0;
        TIFFGetFieldDefaulted(tiff, TIFFTAG_ROWSPERSTRIP, &rowsPerStrip);
        layout.blockWidth = layout.width;
        layout.blockHeight = std::min(rowsPerStrip, layout.height);
    }
    return layout.blockWidth > 0 && layout.blockHeight > 0;
}

// Whether the samples are ones this file unpacks itself, and which is alpha.
bool UnpackedHere(TIFF* tiff, TiffLayout& layout) {
    std::uint16_t format = SAMPLEFORMAT_UINT;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLEFORMAT, &format);
    const std::uint16_t bits = layout.bits;
    if (format != SAMPLEFORMAT_UINT || !(bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16)) return false;
    switch (layout.photometric) {
        case PHOTOMETRIC_MINISWHITE: layout.inverted = true; break;
        case PHOTOMETRIC_MINISBLACK: break;
        case PHOTOMETRIC_PALETTE:
            if (bits > 8) return false;
            break;
        case PHOTOMETRIC_RGB: layout.colourSamples = 3; break;
        default: return false;
    }
    if (layout.samplesPerPixel < layout.colourSamples) return false;
    std::uint16_t extraCount = 0;
    std::uint16_t* extraKinds = nullptr;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_EXTRASAMPLES, &extraCount, &extraKinds);
    const bool alpha = extraCount > 0 && extraKinds != nullptr && layout.photometric != PHOTOMETRIC_PALETTE &&
                       (extraKinds[0] == EXTRASAMPLE_ASSOCALPHA || extraKinds[0] == EXTRASAMPLE_UNASSALPHA);
    if (alpha && layout.samplesPerPixel > layout.colourSamples) {
        layout.alphaSample = layout.colourSamples;
        layout.premultiplied = extraKinds[0] == EXTRASAMPLE_ASSOCALPHA;
    }
    return true;
}

// Palette entries are 16 bits a channel, but some writers store 8-bit
// values in them; a table with no entry above 255 is read as 8-bit.
bool ReadPalette(TIFF* tiff, int bits, GreyPalette& grey) {
    std::uint16_t *red = nullptr, *green = nullptr, *blue = nullptr;
    if (!TIFFGetField(tiff, TIFFTAG_COLORMAP, &red, &green, &blue)) return false;
    const int count = 1 << bits;
    bool eightBits = true;
    for (int i = 0; i < count; ++i) eightBits = eightBits && red[i] < 256 && green[i] < 256 && blue[i] < 256;
    const auto scale = [eightBits](std::uint16_t v) {
        return eightBits ? static_cast<std::uint8_t>(v) : ScaleSixteenBits(v);
    };
    PaletteEntry entries[256];
    for (int i = 0; i < count; ++i) entries[i] = {scale(red[i]), scale(green[i]), scale(blue[i]), 255};
    grey = GreyOfPalette(entries, count);
    return true;
}

// One sample of a row of packed samples; 16-bit samples are in the
// machine's byte order once libtiff has decoded them.
std::uint32_t SampleAt(const std::uint8_t* row, std::size_t index, int bits) {
    switch (bits) {
        case 8: return row[index];
        case 16: {
            std::uint16_t value;
            std::memcpy(&value, row + 2 * index, 2);
            return value;
        }
        default: {
            const std::size_t bit = index * static_cast<std::size_t>(bits);
            return (row[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
        }
    }
}

// The bytes of `columns` samples of a plane (or pixels, interleaved).
std::uint64_t RowBytes(const TiffLayout& layout, std::uint64_t columns) {
    const std::uint64_t samples = columns * (layout.planes ? 1 : layout.samplesPerPixel);
    return (samples * layout.bits + 7) / 8;
}

// A decoded block's bytes. libtiff fills them, so they start uninitialised:
// zeroing a block first would touch memory a damaged file never fills.
struct Block {
    std::unique_ptr<std::uint8_t[]> bytes;
    std::size_t size = 0;
};

class BlockReader {
public:
    BlockReader(TIFF* tiff, const TiffLayout& layout) : tiff_(tiff), layout_(layout) {}

    // The decoded block at (x, y) of one sample plane (plane 0 when the
    // samples are interleaved), or false if it is damaged.
    bool read(std::uint32_t x, std::uint32_t y, std::uint16_t plane, Block& block) {
        const tmsize_t size = layout_.tiled ? TIFFTileSize(tiff_) : TIFFStripSize(tiff_);
        if (size <= 0) return false;
        if (block.size != static_cast<std::size_t>(size)) {
            block.bytes = std::make_unique_for_overwrite<std::uint8_t[]>(static_cast<std::size_t>(size));
            block.size = static_cast<std::size_t>(size);
        }
        tmsize_t got;
        std::uint64_t needed;
        if (layout_.tiled) {
            got = TIFFReadEncodedTile(tiff_, TIFFComputeTile(tiff_, x, y, 0, plane), block.bytes.get(), size);
            needed = static_cast<std::uint64_t>(size);
        } else {
            got = TIFFReadEncodedStrip(tiff_, TIFFComputeStrip(tiff_, y, plane), block.bytes.get(), size);
            const std::uint32_t rows = std::min(layout_.blockHeight, layout_.height - y);
            needed = static_cast<std::uint64_t>(rows) * rowBytes();
        }
        return got > 0 && static_cast<std::uint64_t>(got) >= needed;
    }

    std::size_t rowBytes() const { return static_cast<std::size_t>(RowBytes(layout_, layout_.blockWidth)); }

private:
    TIFF* tiff_;
    const TiffLayout& layout_;
};

// Unpacks the samples this picture keeps into 8-bit channels, block by
// block, and turns each row into grey.
bool DecodeSamples(TIFF* tiff, const TiffLayout& layout, const GreyPalette& palette, std::uint8_t* grey) {
    const bool isPalette = layout.photometric == PHOTOMETRIC_PALETTE;
    const int kept = layout.colourSamples + (layout.alphaSample >= 0 ? 1 : 0);
    const auto channels = static_cast<Channels>(kept);  // grey, grey + alpha, RGB or RGBA
    const int planeCount = layout.planes ? kept : 1;
    const std::uint32_t top = (1u << layout.bits) - 1;

    BlockReader reader(tiff, layout);
    std::vector<Block> blocks(static_cast<std::size_t>(planeCount));
    // One row of a block at 8 bits a sample, filled before it is read.
    const auto samples = std::make_unique_for_overwrite<std::uint8_t[]>(static_cast<std::size_t>(layout.blockWidth) *
                                                                        static_cast<std::size_t>(kept));
    const std::size_t rowBytes = reader.rowBytes();
    for (std::uint32_t y0 = 0; y0 < layout.height; y0 += layout.blockHeight) {
        for (std::uint32_t x0 = 0; x0 < layout.width; x0 += layout.blockWidth) {
            for (int p = 0; p < planeCount; ++p) {
                if (!reader.read(x0, y0, static_cast<std::uint16_t>(p), blocks[p])) return false;
            }
            const std::uint32_t columns = std::min(layout.blockWidth, layout.width - x0);
            const std::uint32_t rows = std::min(layout.blockHeight, layout.height - y0);
            for (std::uint32_t r = 0; r < rows; ++r) {
                std::uint8_t* out = grey + (static_cast<std::size_t>(y0) + r) * layout.width + x0;
                for (std::uint32_t c = 0; c < columns; ++c) {
                    for (int s = 0; s < kept; ++s) {
                        const std::uint8_t* row = blocks[layout.planes ? s : 0].bytes.get() + r * rowBytes;
                        const std::size_t index = layout.planes ? c : std::size_t{c} * layout.samplesPerPixel + s;
                        std::uint32_t value = SampleAt(row, index, layout.bits);
                        if (isPalette) {
                            out[c] = palette[value];
                            continue;
                        }
                        if (layout.inverted && s == 0) value = top - value;
                        samples[std::size_t{c} * kept + s] =
                            layout.bits == 16 ? ScaleSixteenBits(value) : ScaleBits(value, layout.bits);
                    }
                }
                if (!isPalette)
                    RowToGrey(samples.get(), channels, static_cast<std::int32_t>(columns), out, layout.premultiplied);
            }
        }
    }
    return true;
}

// libtiff's conversion, for colour models not unpacked here. Its result has
// any alpha premultiplied.
bool DecodeThroughRgba(TIFF* tiff, const TiffLayout& layout, std::uint8_t* grey) {
    char problem[1024];
    if (!TIFFRGBAImageOK(tiff, problem)) return false;
    TIFFRGBAImage image{};
    if (!TIFFRGBAImageBegin(&image, tiff, 0, problem)) return false;
    image.req_orientation = image.orientation;  // stored order; orientation is applied later
    const std::size_t pixels = static_cast<std::size_t>(layout.width) * layout.height;
    const auto raster = std::make_unique_for_overwrite<std::uint32_t[]>(pixels);
    const bool decoded = TIFFRGBAImageGet(&image, raster.get(), layout.width, layout.height) != 0;
    TIFFRGBAImageEnd(&image);
    if (!decoded) return false;
    for (std::size_t i = 0; i < pixels; ++i) {
        const std::uint32_t p = raster[i];
        const std::uint32_t alpha = TIFFGetA(p);
        grey[i] = Luma(PremultipliedOverWhite(TIFFGetR(p), alpha), PremultipliedOverWhite(TIFFGetG(p), alpha),
                       PremultipliedOverWhite(TIFFGetB(p), alpha));
    }
    return true;
}

// The first page's layout from a handle, and whether it is unpacked here.
bool ReadFirstPage(TIFF* tiff, TiffLayout& layout, bool& here) {
    if (!ReadLayout(tiff, layout)) return false;
    here = UnpackedHere(tiff, layout);
    return true;
}

// While only the directory is read, libtiff's arrays follow the file: every
// strip or tile has an entry in it, so none is much larger than the file.
std::uint64_t DirectoryAllowance(Bytes bytes) { return (std::uint64_t{1} << 20) + 4 * std::uint64_t{bytes.size()}; }

}  // namespace

DecodeOutcome DecodeTiff(Bytes bytes, DecodedPicture& picture) {
    TiffMemory memory;
    memory.reading = bytes;
    TiffLayout layout;
    bool here = false;
    TiffHandle tiff = OpenTiffForReading(memory, std::min(AvailableMemory(), DirectoryAllowance(bytes)));
    if (!tiff || !ReadFirstPage(tiff.get(), layout, here)) return DecodeOutcome::NotAPicture;

    // A sound picture needs one block of each plane, of the picture's size at
    // most (tiles may overhang it a little, which the budget's margin covers),
    // and a row of 8-bit samples; libtiff's own conversion a 32-bit raster
    // and such a block besides.
    const std::uint64_t pixels = std::uint64_t{layout.width} * layout.height;
    const std::uint64_t planes = layout.planes ? layout.samplesPerPixel : 1;
    const std::uint64_t pictureBlock = RowBytes(layout, std::min(layout.blockWidth, layout.width)) *
                                       std::min(layout.blockHeight, layout.height) * planes;
    const std::uint64_t working = here ? pictureBlock + 4 * std::uint64_t{layout.width} : 4 * pixels + pictureBlock;
    const DecodeOutcome fits = CheckPictureSize(layout.width, layout.height, working);
    if (fits != DecodeOutcome::Done) return fits;

    // Blocks far larger than the picture are damage, not a need to meet.
    const std::uint64_t block =
        static_cast<std::uint64_t>(layout.tiled ? TIFFTileSize64(tiff.get()) : TIFFStripSize64(tiff.get()));
    if (here && pixels + block * planes > DecodeNeeds(pixels, working)) return DecodeOutcome::NotAPicture;
    tiff = OpenTiffForReading(memory, DecodeBudget(pixels, working));
    if (!tiff || !ReadFirstPage(tiff.get(), layout, here)) return DecodeOutcome::NotAPicture;

    GreyPalette palette{};
    if (here && layout.photometric == PHOTOMETRIC_PALETTE && !ReadPalette(tiff.get(), layout.bits, palette)) {
        return DecodeOutcome::NotAPicture;
    }
    PixelArray grey(static_cast<std::size_t>(pixels));
    const bool decoded = here ? DecodeSamples(tiff.get(), layout, palette, grey.data())
                              : DecodeThroughRgba(tiff.get(), layout, grey.data());
    if (!decoded) return DecodeOutcome::NotAPicture;

    picture.width = static_cast<std::int32_t>(layout.width);
    picture.height = static_cast<std::int32_t>(layout.height);
    picture.grey = std::move(grey);
    picture.orientation = layout.orientation;
    return DecodeOutcome::Done;
}

}  // namespace lumagrove::pictures
