// How long a picture file of each format can be, from its first bytes; see
// BoundedRead.h.
// Only the few fields that give the picture's size are read, each checked
// against the end of what has arrived so far.
#include <algorithm>

#include "base/ImageSize.h"
#include "pictures/BoundedRead.h"
#include "pictures/Decoders.h"

namespace lumagrove::pictures {
namespace {

using Head = Bytes;

// Room for what a picture carries besides its pixels: colour profiles,
// EXIF with its thumbnail, text, and a compressed stream's own overhead.
constexpr std::uint64_t kMetadataAllowance = std::uint64_t{16} << 20;

class Fields {
public:
    Fields(Head head, bool bigEndian) : head_(head), bigEndian_(bigEndian) {}
    bool has(std::uint64_t at, std::uint64_t count) const { return at <= head_.size() && count <= head_.size() - at; }
    std::uint64_t get(std::uint64_t at, int size) const {
        std::uint64_t value = 0;
        for (int i = 0; i < size; ++i) {
            const std::uint64_t byte = head_[at + (bigEndian_ ? i : size - 1 - i)];
            value = value << 8 | byte;
        }
        return value;
    }

private:
    Head head_;
    bool bigEndian_;
};

std::uint64_t Compressed(std::uint64_t headerBytes, std::uint64_t pixelBytes) {
    return headerBytes + 2 * pixelBytes + kMetadataAllowance;
}

// Width times height, or 0 beyond what an image here can hold: such a picture
// is refused from its header alone, and the products below cannot overflow.
std::uint64_t Pixels(std::uint64_t width, std::uint64_t height) {
    constexpr std::uint64_t kMost = kMaxPixelCount;
    if (width > kMost || height > kMost || width * height > kMost) return 0;
    return width * height;
}

}  // namespace

std::uint64_t PngLengthDeclared(Head head) {
    const Fields in(head, true);
    if (!in.has(16, 10)) return kLengthNotYetDeclared;
    const std::uint64_t width = in.get(16, 4), height = in.get(20, 4), bits = in.get(24, 1);
    constexpr int kChannels[] = {1, 0, 3, 1, 2, 0, 4};  // by colour type
    const std::uint64_t type = in.get(25, 1);
    const std::uint64_t channels = type < 7 ? kChannels[type] : 0;
    if (Pixels(width, height) == 0) return Compressed(33, 0);
    return Compressed(33, ((width * channels * bits + 7) / 8 + 1) * height);
}

// Segments up to the frame header, which gives the size; none has more than
// four components of 8 bits.
std::uint64_t JpegLengthDeclared(Head head) {
    const Fields in(head, true);
    std::uint64_t at = 2;
    for (;;) {
        while (in.has(at, 1) && head[at] == 0xff && in.has(at + 1, 1) && head[at + 1] == 0xff) ++at;  // fill bytes
        if (!in.has(at, 4)) return kLengthNotYetDeclared;
        if (head[at] != 0xff) return head.size();
        const std::uint8_t marker = head[at + 1];
        const bool frame = marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc;
        if (frame) {
            if (!in.has(at + 10, 1)) return kLengthNotYetDeclared;
            const std::uint64_t height = in.get(at + 5, 2), width = in.get(at + 7, 2);
            return Compressed(at, Pixels(width, height) * 4);
        }
        at += 2 + in.get(at + 2, 2);
    }
}

// The first directory gives the size; it may lie after the pixels, at the
// offset the header declares, and the file goes on that far at least.
std::uint64_t TiffLengthDeclared(Head head) {
    const bool bigEndian = head[0] == 'M';
    const bool big = head[2] == '+' || head[3] == '+';
    const Fields in(head, bigEndian);
    const int offsetSize = big ? 8 : 4, countSize = big ? 8 : 2, entrySize = big ? 20 : 12;
    if (!in.has(4, big ? 12 : 4)) return kLengthNotYetDeclared;
    const std::uint64_t directory = in.get(big ? 8 : 4, offsetSize);
    if (directory > kLengthNotYetDeclared / 2) return head.size();  // past any memory: damaged
    if (!in.has(directory, countSize)) return std::max<std::uint64_t>(directory + countSize, head.size());
    const std::uint64_t entries = in.get(directory, countSize);
    if (entries > 0xffff) return head.size();  // more tags than there are: damaged
    const std::uint64_t end = directory + countSize + entries * entrySize + offsetSize;
    if (!in.has(directory, end - directory)) return end;
    std::uint64_t width = 0, height = 0, samples = 1, sampleBytes = 8;
    for (std::uint64_t i = 0; i < entries; ++i) {
        const std::uint64_t entry = directory + countSize + i * entrySize;
        const std::uint64_t tag = in.get(entry, 2), type = in.get(entry + 2, 2);
        const std::uint64_t count = in.get(entry + 4, big ? 8 : 4);
        const std::uint64_t valueAt = entry + (big ? 12 : 8);
        const int size = type == 3 ? 2 : type == 4 ? 4 : type == 16 ? 8 : 0;  // SHORT, LONG, LONG8
        if (size == 0) continue;
        const std::uint64_t value = in.get(valueAt, size);
        if (tag == 256) width = value;
        if (tag == 257) height = value;
        if (tag == 277) samples = value;
        if (tag == 258 && count == 1) sampleBytes = (value + 7) / 8;
    }
    return Compressed(end, Pixels(width, height) * std::min<std::uint64_t>(samples, 0xffff) * sampleBytes);
}

std::uint64_t BmpLengthDeclared(Head head) {
    const Fields in(head, false);
    if (!in.has(14, 4)) return kLengthNotYetDeclared;
    const bool core = in.get(14, 4) == 12;
    if (!in.has(14, 20)) return kLengthNotYetDeclared;
    const std::uint64_t width = core ? in.get(18, 2) : in.get(18, 4);
    const auto height = static_cast<std::int32_t>(core ? in.get(20, 2) : in.get(22, 4));
    const std::uint64_t bits = core ? in.get(24, 2) : in.get(28, 2);
    const std::uint64_t rows = height < 0 ? 0 - static_cast<std::uint64_t>(static_cast<std::int64_t>(height)) : height;
    if (Pixels(width, rows) == 0) return Compressed(14, 0);
    const std::uint64_t pixelBytes = (width * bits + 31) / 32 * 4 * rows;
    const std::uint64_t compression = core ? 0 : in.get(30, 4);
    const bool runLength = compression == 1 || compression == 2;
    // The pixels follow the headers and palette; a gap larger than any
    // metadata is no reason to read on.
    const std::uint64_t pixelStart = std::min<std::uint64_t>(in.get(10, 4), kMetadataAllowance);
    return runLength ? Compressed(pixelStart, pixelBytes) : pixelStart + pixelBytes;
}

// A RIFF file says its own length.
std::uint64_t WebpLengthDeclared(Head head) { return 8 + Fields(head, false).get(4, 4); }

}  // namespace lumagrove::pictures
