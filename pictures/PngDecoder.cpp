// PNG through libpng. libpng reports errors by longjmp, so every call into it
// happens in a function that holds no C++ object a jump could skip; buffers
// are allocated between those calls.
#include <png.h>

#include <csetjmp>
#include <cstring>
#include <vector>

#include "pictures/Decoders.h"
#include "pictures/GreyConversion.h"
#include "pictures/MemoryBudget.h"
#include "pictures/Orientation.h"

namespace lumagrove::pictures {
namespace {

struct MemorySource {
    Bytes bytes;
    std::size_t at = 0;
};

void ReadFromMemory(png_structp png, png_bytep into, png_size_t length) {
    auto* source = static_cast<MemorySource*>(png_get_io_ptr(png));
    if (length > source->bytes.size() - source->at) png_error(png, "the file ends early");
    std::memcpy(into, source->bytes.data() + source->at, length);
    source->at += length;
}

[[noreturn]] void JumpOnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void IgnoreWarning(png_structp, png_const_charp) {}

struct PngHeader {
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bitDepth = 0;
    int colourType = 0;
    bool interlaced = false;
    std::size_t rowBytes = 0;  // one row after the transforms below
    int passes = 1;
};

// How a decoded row becomes grey: samples of 8 or 16 bits in some channel
// layout, or palette indices.
struct RowLayout {
    Channels channels = Channels::Grey;
    bool sixteenBits = false;
    bool palette = false;
    GreyPalette paletteGrey{};
};

class PngSession {
public:
    explicit PngSession(Bytes bytes) : source_{bytes} {
        png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, JumpOnError, IgnoreWarning);
        if (png_ != nullptr) info_ = png_create_info_struct(png_);
    }
    ~PngSession() { png_destroy_read_struct(&png_, &info_, nullptr); }
    PngSession(const PngSession&) = delete;
    PngSession& operator=(const PngSession&) = delete;

    // Reads the chunks before the pixels and sets the transforms that leave
    // 8- or 16-bit samples (palette pictures: one index a byte).
    bool readHeader(PngHeader& header, RowLayout& layout) {
        if (png_ == nullptr || info_ == nullptr) return false;
        if (setjmp(png_jmpbuf(png_))) return false;
        png_set_read_fn(png_, &source_, ReadFromMemory);
        // The size limit that matters is the pixel count, checked by the caller.
        png_set_user_limits(png_, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
        png_read_info(png_, info_);
        png_get_IHDR(png_, info_, &header.width, &header.height, &header.bitDepth, &header.colourType, nullptr, nullptr,
                     nullptr);
        header.interlaced = png_get_interlace_type(png_, info_) != PNG_INTERLACE_NONE;
        setTransforms(header, layout);
        header.passes = png_set_interlace_handling(png_);
        png_read_update_info(png_, info_);
        header.rowBytes = png_get_rowbytes(png_, info_);
        return true;
    }

    // Interlaced pictures arrive in passes over the whole picture, so they
    // are decoded into `rows` at once; others one row at a time, each handed
    // to `take`.
    template <typename TakeRow>
    bool readRows(const PngHeader& header, png_bytep* rows, png_bytep oneRow, TakeRow& take) {
        if (setjmp(png_jmpbuf(png_))) return false;
        if (header.interlaced) {
            png_read_image(png_, rows);
            for (png_uint_32 y = 0; y < header.height; ++y) take(y, rows[y]);
        } else {
            for (png_uint_32 y = 0; y < header.height; ++y) {
                png_read_row(png_, oneRow, nullptr);
                take(y, oneRow);
            }
        }
        // The chunks after the pixels: a damaged or missing end fails the
        // picture, and an eXIf chunk may come here.
        png_read_end(png_, info_);
        return true;
    }

    int orientation() {
        png_uint_32 length = 0;
        png_bytep exif = nullptr;
        if (png_get_eXIf_1(png_, info_, &length, &exif) == 0 || exif == nullptr) return 1;
        return OrientationInExif(Bytes(exif, length));
    }

private:
    void setTransforms(const PngHeader& header, RowLayout& layout) {
        const bool transparency = png_get_valid(png_, info_, PNG_INFO_tRNS) != 0;
        switch (header.colourType) {
            case PNG_COLOR_TYPE_PALETTE:
                layout.palette = true;
                layout.paletteGrey = PaletteGrey();
                if (header.bitDepth < 8) png_set_packing(png_);
                return;
            case PNG_COLOR_TYPE_GRAY:
                if (header.bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png_);
                layout.channels = transparency ? Channels::GreyAlpha : Channels::Grey;
                break;
            case PNG_COLOR_TYPE_GRAY_ALPHA: layout.channels = Channels::GreyAlpha; break;
            case PNG_COLOR_TYPE_RGB: layout.channels = transparency ? Channels::Rgba : Channels::Rgb; break;
            default: layout.channels = Channels::Rgba; break;
        }
        if (transparency) png_set_tRNS_to_alpha(png_);
        layout.sixteenBits = header.bitDepth == 16;
    }

    GreyPalette PaletteGrey() {
        png_colorp colours = nullptr;
        int count = 0;
        png_get_PLTE(png_, info_, &colours, &count);
        png_bytep alphas = nullptr;
        int alphaCount = 0;
        png_get_tRNS(png_, info_, &alphas, &alphaCount, nullptr);
        PaletteEntry entries[256];
        for (int i = 0; i < count && i < 256; ++i) {
            entries[i] = {colours[i].red, colours[i].green, colours[i].blue,
                          static_cast<std::uint8_t>(i < alphaCount ? alphas[i] : 255)};
        }
        return GreyOfPalette(entries, count);
    }

    MemorySource source_;
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
};

// Turns decoded rows into grey rows of the result.
class RowConverter {
public:
    RowConverter(const RowLayout& layout, std::int32_t width, std::uint8_t* grey)
        : layout_(layout), width_(width), grey_(grey) {
        if (layout.sixteenBits) {
            eightBits_.resize(static_cast<std::size_t>(width) * SamplesPerPixel(layout.channels));
        }
    }

    void operator()(png_uint_32 y, const png_byte* row) {
        std::uint8_t* out = grey_ + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
        if (layout_.palette) {
            for (std::int32_t x = 0; x < width_; ++x) out[x] = layout_.paletteGrey[row[x]];
            return;
        }
        if (layout_.sixteenBits) {
            // PNG stores 16-bit samples most significant byte first.
            for (std::size_t i = 0; i < eightBits_.size(); ++i) {
                eightBits_[i] = ScaleSixteenBits(std::uint32_t{row[2 * i]} << 8 | row[2 * i + 1]);
            }
            row = eightBits_.data();
        }
        RowToGrey(row, layout_.channels, width_, out);
    }

private:
    const RowLayout& layout_;
    std::int32_t width_;
    std::uint8_t* grey_;
    std::vector<std::uint8_t> eightBits_;
};

}  // namespace

DecodeOutcome DecodePng(Bytes bytes, DecodedPicture& picture) {
    PngSession session(bytes);
    PngHeader header;
    RowLayout layout;
    if (!session.readHeader(header, layout)) return DecodeOutcome::NotAPicture;

    const std::uint64_t decodedBytes =
        header.interlaced ? std::uint64_t{header.rowBytes} * header.height : std::uint64_t{header.rowBytes};
    const DecodeOutcome fits = CheckPictureSize(header.width, header.height, decodedBytes);
    if (fits != DecodeOutcome::Done) return fits;

    const auto width = static_cast<std::int32_t>(header.width);
    const auto height = static_cast<std::int32_t>(header.height);
    PixelArray grey(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    std::vector<png_byte> decoded(static_cast<std::size_t>(decodedBytes));
    std::vector<png_bytep> rows;
    if (header.interlaced) {
        rows.resize(header.height);
        for (png_uint_32 y = 0; y < header.height; ++y) rows[y] = decoded.data() + y * header.rowBytes;
    }
    RowConverter convert(layout, width, grey.data());
    if (!session.readRows(header, rows.data(), decoded.data(), convert)) return DecodeOutcome::NotAPicture;

    picture.width = width;
    picture.height = height;
    picture.grey = std::move(grey);
    picture.orientation = session.orientation();
    return DecodeOutcome::Done;
}

}  // namespace lumagrove::pictures
