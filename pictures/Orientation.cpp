#include "pictures/Orientation.h"

#include <algorithm>
#include <utility>

namespace lumagrove::pictures {
namespace {

constexpr std::uint16_t kOrientationTag = 0x0112;
constexpr std::uint16_t kShortType = 3;

// Reads 16- and 32-bit numbers of either byte order, and never past the end.
class TiffBlock {
public:
    explicit TiffBlock(Bytes bytes) : bytes_(bytes) {}

    bool readByteOrder() {
        if (bytes_.size() < 8) return false;
        if (bytes_[0] == 'I' && bytes_[1] == 'I') {
            bigEndian_ = false;
        } else if (bytes_[0] == 'M' && bytes_[1] == 'M') {
            bigEndian_ = true;
        } else {
            return false;
        }
        std::uint32_t magic = 0;
        return read16(2, magic) && magic == 42;
    }

    bool read16(std::uint64_t at, std::uint32_t& value) const {
        if (at + 2 > bytes_.size()) return false;
        const std::uint32_t a = bytes_[at], b = bytes_[at + 1];
        value = bigEndian_ ? (a << 8 | b) : (b << 8 | a);
        return true;
    }

    bool read32(std::uint64_t at, std::uint32_t& value) const {
        std::uint32_t high = 0, low = 0;
        if (!read16(at, bigEndian_ ? high : low) || !read16(at + 2, bigEndian_ ? low : high)) return false;
        value = high << 16 | low;
        return true;
    }

private:
    Bytes bytes_;
    bool bigEndian_ = false;
};

// Where the stored pixel shown at (x, y) comes from, for a stored picture of
// width w and height h.
std::pair<std::int64_t, std::int64_t> StoredPosition(int orientation, std::int64_t x, std::int64_t y, std::int64_t w,
                                                     std::int64_t h) {
    switch (orientation) {
        case 2: return {w - 1 - x, y};
        case 3: return {w - 1 - x, h - 1 - y};
        case 4: return {x, h - 1 - y};
        case 5: return {y, x};
        case 6: return {y, h - 1 - x};
        case 7: return {w - 1 - y, h - 1 - x};
        case 8: return {w - 1 - y, x};
        default: return {x, y};
    }
}

}  // namespace

int OrientationInExif(Bytes block) {
    TiffBlock tiff(block);
    std::uint32_t directory = 0, entries = 0;
    if (!tiff.readByteOrder() || !tiff.read32(4, directory) || !tiff.read16(directory, entries)) return 1;
    for (std::uint32_t i = 0; i < entries; ++i) {
        const std::uint64_t entry = std::uint64_t{directory} + 2 + 12 * std::uint64_t{i};
        std::uint32_t tag = 0, type = 0, value = 0;
        if (!tiff.read16(entry, tag) || !tiff.read16(entry + 2, type)) return 1;
        if (tag != kOrientationTag) continue;
        if (type != kShortType || !tiff.read16(entry + 8, value) || value < 1 || value > 8) return 1;
        return static_cast<int>(value);
    }
    return 1;
}

void ApplyOrientation(DecodedPicture& picture) {
    const int orientation = picture.orientation;
    if (orientation < 2 || orientation > 8) return;
    const std::int64_t w = picture.width, h = picture.height;
    const bool swapsSides = orientation >= 5;
    const std::int64_t shownWidth = swapsSides ? h : w;
    const std::int64_t shownHeight = swapsSides ? w : h;

    // Each shown row walks the stored pixels with a fixed step. Working in
    // square tiles keeps the quarter turns' column walks within the cache.
    constexpr std::int64_t kTile = 64;
    PixelArray shown(picture.grey.size());
    const std::uint8_t* stored = picture.grey.data();
    for (std::int64_t top = 0; top < shownHeight; top += kTile) {
        for (std::int64_t left = 0; left < shownWidth; left += kTile) {
            const std::int64_t right = std::min(left + kTile, shownWidth);
            for (std::int64_t y = top; y < std::min(top + kTile, shownHeight); ++y) {
                const auto [x0, y0] = StoredPosition(orientation, 0, y, w, h);
                const auto [x1, y1] = StoredPosition(orientation, 1, y, w, h);
                const std::int64_t start = y0 * w + x0;
                const std::int64_t step = (y1 - y0) * w + (x1 - x0);
                std::uint8_t* row = shown.data() + y * shownWidth;
                for (std::int64_t x = left; x < right; ++x) row[x] = stored[start + x * step];
            }
        }
    }
    picture.grey = std::move(shown);
    picture.width = static_cast<std::int32_t>(shownWidth);
    picture.height = static_cast<std::int32_t>(shownHeight);
    picture.orientation = 1;
}

}  // namespace lumagrove::pictures
