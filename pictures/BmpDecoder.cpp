// BMP, read here: none of the picture libraries in use reads it, and the
// format is small. Covered: the Windows headers (core, info, V2 to V5) and
// the OS/2 ones, 1, 2, 4 and 8-bit palettes, 16 and 32-bit pixels with or
// without bit masks (an alpha mask brings transparency), 24-bit pixels, and
// 8 and 4-bit run-length compression. Embedded JPEG or PNG, OS/2 Huffman and
// 24-bit run-length data are refused. Every read is checked against the end
// of the file; a file too short for its pixels is refused.
#include <algorithm>
#include <bit>
#include <cstring>
#include <optional>

#include "pictures/Decoders.h"
#include "pictures/GreyConversion.h"
#include "pictures/MemoryBudget.h"

namespace lumagrove::pictures {
namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::uint32_t kCoreHeaderBytes = 12;
constexpr std::uint32_t kInfoHeaderBytes = 40;
constexpr std::uint32_t kOs2HeaderBytes = 64;

enum Compression : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6 };

class LittleEndian {
public:
    explicit LittleEndian(Bytes bytes) : bytes_(bytes) {}
    std::uint32_t u16(std::uint64_t at) const { return at + 2 <= bytes_.size() ? bytes_[at] | bytes_[at + 1] << 8 : 0; }
    std::uint32_t u32(std::uint64_t at) const { return u16(at) | u16(at + 2) << 16; }
    bool has(std::uint64_t at, std::uint64_t count) const { return at <= bytes_.size() && count <= bytes_.size() - at; }

private:
    Bytes bytes_;
};

// One channel of a 16 or 32-bit pixel: where its bits are and their range.
struct Mask {
    std::uint32_t bits = 0;
    int shift = 0;
    std::uint64_t top = 0;

    explicit Mask(std::uint32_t mask = 0) : bits(mask) {
        if (mask != 0) {
            shift = std::countr_zero(mask);
            top = mask >> shift;
        }
    }
    bool present() const { return bits != 0; }
    std::uint8_t operator()(std::uint32_t pixel) const {
        if (top == 0) return 0;
        // 64 bits: a mask may be 32 bits wide, and 255 times its top would not fit in 32.
        const std::uint64_t value = (pixel & bits) >> shift;
        return static_cast<std::uint8_t>((value * 255 + top / 2) / top);
    }
};

struct BmpLayout {
    std::int64_t width = 0;
    std::int64_t height = 0;
    bool topDown = false;
    std::uint32_t bits = 0;
    std::uint32_t compression = kRgb;
    std::uint64_t pixelStart = 0;
    Mask red, green, blue, alpha;
    GreyPalette palette{};
};

bool ReadMasks(const LittleEndian& in, std::uint32_t headerSize, BmpLayout& layout) {
    if (layout.compression == kBitFields || layout.compression == kAlphaBitFields) {
        // The masks sit in the larger headers, or just after the 40-byte one.
        const std::uint64_t at = kFileHeaderBytes + kInfoHeaderBytes;
        const bool withAlpha = layout.compression == kAlphaBitFields || headerSize >= 56;
        if (!in.has(at, withAlpha ? 16 : 12)) return false;
        layout.red = Mask(in.u32(at));
        layout.green = Mask(in.u32(at + 4));
        layout.blue = Mask(in.u32(at + 8));
        if (withAlpha) layout.alpha = Mask(in.u32(at + 12));
        return layout.bits == 16 || layout.bits == 32;
    }
    if (layout.bits == 16) {
        layout.red = Mask(0x7c00), layout.green = Mask(0x03e0), layout.blue = Mask(0x001f);
    } else if (layout.bits == 32) {
        layout.red = Mask(0xff0000), layout.green = Mask(0xff00), layout.blue = Mask(0xff);
    }
    return true;
}

bool ReadPalette(const LittleEndian& in, std::uint32_t headerSize, std::uint32_t coloursUsed, BmpLayout& layout) {
    if (layout.bits > 8) return true;
    const bool core = headerSize == kCoreHeaderBytes;
    std::uint64_t at = kFileHeaderBytes + headerSize;
    if (headerSize == kInfoHeaderBytes && layout.compression == kBitFields) at += 12;
    const std::uint32_t most = 1u << layout.bits;
    const std::uint32_t count = coloursUsed == 0 || coloursUsed > most ? most : coloursUsed;
    const std::uint32_t entryBytes = core ? 3 : 4;
    if (!in.has(at, std::uint64_t{count} * entryBytes)) return false;
    PaletteEntry entries[256];
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t bgr = in.u32(at + i * entryBytes);
        entries[i] = {static_cast<std::uint8_t>(bgr >> 16), static_cast<std::uint8_t>(bgr >> 8),
                      static_cast<std::uint8_t>(bgr), 255};
    }
    layout.palette = GreyOfPalette(entries, static_cast<int>(count));
    return true;
}

bool ReadLayout(const LittleEndian& in, BmpLayout& layout) {
    if (!in.has(0, kFileHeaderBytes + 4) || in.u16(0) != 0x4d42) return false;  // "BM"
    layout.pixelStart = in.u32(10);
    const std::uint32_t headerSize = in.u32(kFileHeaderBytes);
    if (headerSize < kCoreHeaderBytes || !in.has(kFileHeaderBytes, headerSize)) return false;
    const std::uint64_t h = kFileHeaderBytes;
    std::uint32_t coloursUsed = 0;
    if (headerSize == kCoreHeaderBytes) {
        layout.width = in.u16(h + 4);
        layout.height = in.u16(h + 6);
        layout.bits = in.u16(h + 10);
    } else {
        if (headerSize < 16) return false;
        // Fields past the end of a short OS/2 header are zero.
        const auto field = [&](std::uint64_t offset, int size) -> std::uint32_t {
            if (offset + size > headerSize) return 0;
            return size == 2 ? in.u16(h + offset) : in.u32(h + offset);
        };
        layout.width = static_cast<std::int32_t>(field(4, 4));
        const auto height = static_cast<std::int32_t>(field(8, 4));
        layout.topDown = height < 0;
        layout.height = layout.topDown ? -std::int64_t{height} : height;
        layout.bits = field(14, 2);
        layout.compression = field(16, 4);
        coloursUsed = field(32, 4);
        // OS/2 numbers its Huffman and 24-bit run-length schemes 3 and 4.
        if (headerSize == kOs2HeaderBytes && layout.compression >= 3) return false;
    }
    if (layout.width <= 0 || layout.height <= 0) return false;
    switch (layout.compression) {
        case kRgb:
            if (!(layout.bits == 1 || layout.bits == 2 || layout.bits == 4 || layout.bits == 8 || layout.bits == 16 ||
                  layout.bits == 24 || layout.bits == 32)) {
                return false;
            }
            break;
        case kRle8:
            if (layout.bits != 8) return false;
            break;
        case kRle4:
            if (layout.bits != 4) return false;
            break;
        case kBitFields:
        case kAlphaBitFields: break;
        default: return false;
    }
    return ReadMasks(in, headerSize, layout) && ReadPalette(in, headerSize, coloursUsed, layout);
}

// Rows are stored bottom first unless the height was negative.
std::uint8_t* OutputRow(const BmpLayout& layout, std::uint8_t* grey, std::int64_t storedRow) {
    const std::int64_t row = layout.topDown ? storedRow : layout.height - 1 - storedRow;
    return grey + row * layout.width;
}

void ConvertRow(const BmpLayout& layout, const std::uint8_t* in, std::uint8_t* out) {
    const std::int64_t width = layout.width;
    switch (layout.bits) {
        case 24:
            for (std::int64_t x = 0; x < width; ++x, in += 3) out[x] = Luma(in[2], in[1], in[0]);
            return;
        case 16:
        case 32: {
            const int bytes = static_cast<int>(layout.bits / 8);
            for (std::int64_t x = 0; x < width; ++x, in += bytes) {
                std::uint32_t pixel = in[0] | in[1] << 8;
                if (bytes == 4) pixel |= std::uint32_t{in[2]} << 16 | std::uint32_t{in[3]} << 24;
                const std::uint8_t r = layout.red(pixel), g = layout.green(pixel), b = layout.blue(pixel);
                if (layout.alpha.present()) {
                    const std::uint8_t a = layout.alpha(pixel);
                    out[x] = Luma(OverWhite(r, a), OverWhite(g, a), OverWhite(b, a));
                } else {
                    out[x] = Luma(r, g, b);
                }
            }
            return;
        }
        default: {
            const std::uint32_t bits = layout.bits;
            for (std::int64_t x = 0; x < width; ++x) {
                const std::uint64_t bit = static_cast<std::uint64_t>(x) * bits;
                out[x] = layout.palette[(in[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1)];
            }
        }
    }
}

bool DecodeUncompressed(Bytes bytes, const BmpLayout& layout, std::uint8_t* grey) {
    const std::uint64_t stride = (static_cast<std::uint64_t>(layout.width) * layout.bits + 31) / 32 * 4;
    if (!LittleEndian(bytes).has(layout.pixelStart, stride * static_cast<std::uint64_t>(layout.height))) return false;
    for (std::int64_t row = 0; row < layout.height; ++row) {
        ConvertRow(layout, bytes.data() + layout.pixelStart + row * stride, OutputRow(layout, grey, row));
    }
    return true;
}

// Run-length data set palette indices; pixels it skips have index 0.
// Runs past the end of a row are cut off there. A few bytes may describe a
// large picture, so the skipped pixels cost one fill and nothing more.
bool DecodeRunLength(Bytes bytes, const BmpLayout& layout, std::uint8_t* grey) {
    const bool nibbles = layout.compression == kRle4;
    std::memset(grey, layout.palette[0], static_cast<std::size_t>(layout.width * layout.height));
    std::uint64_t at = layout.pixelStart;
    std::int64_t x = 0, row = 0;
    const auto put = [&](std::uint8_t index) {
        if (x < layout.width && row < layout.height) OutputRow(layout, grey, row)[x] = layout.palette[index];
        ++x;
    };
    while (row < layout.height) {
        if (at + 2 > bytes.size()) {
            // Data that stop between two codes lack only the end marker;
            // data that stop inside one are cut short.
            if (at != bytes.size()) return false;
            break;
        }
        const std::uint32_t count = bytes[at], value = bytes[at + 1];
        at += 2;
        if (count > 0) {
            for (std::uint32_t i = 0; i < count; ++i) put(nibbles ? (i % 2 == 0 ? value >> 4 : value & 15) : value);
        } else if (value == 0) {
            x = 0, ++row;
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            if (at + 2 > bytes.size()) return false;
            x += bytes[at], row += bytes[at + 1];
            at += 2;
        } else {
            const std::uint64_t dataBytes = nibbles ? (value + 1) / 2 : value;
            if (at + dataBytes > bytes.size()) return false;
            for (std::uint32_t i = 0; i < value; ++i) {
                put(nibbles ? (i % 2 == 0 ? bytes[at + i / 2] >> 4 : bytes[at + i / 2] & 15) : bytes[at + i]);
            }
            at += (dataBytes + 1) / 2 * 2;  // absolute runs end on a 16-bit boundary
        }
    }
    return true;
}

}  // namespace

DecodeOutcome DecodeBmp(Bytes bytes, DecodedPicture& picture) {
    const LittleEndian in(bytes);
    BmpLayout layout;
    if (!ReadLayout(in, layout) || layout.pixelStart >= bytes.size()) return DecodeOutcome::NotAPicture;
    const DecodeOutcome fits =
        CheckPictureSize(static_cast<std::uint64_t>(layout.width), static_cast<std::uint64_t>(layout.height), 0);
    if (fits != DecodeOutcome::Done) return fits;

    PixelArray grey(static_cast<std::size_t>(layout.width * layout.height));
    const bool runLength = layout.compression == kRle8 || layout.compression == kRle4;
    const bool decoded =
        runLength ? DecodeRunLength(bytes, layout, grey.data()) : DecodeUncompressed(bytes, layout, grey.data());
    if (!decoded) return DecodeOutcome::NotAPicture;
    picture = {static_cast<std::int32_t>(layout.width), static_cast<std::int32_t>(layout.height), std::move(grey), 1};
    return DecodeOutcome::Done;
}

}  // namespace lumagrove::pictures
