#pragma once

#include <cstdint>
#include <cstdio>

// The header of a netpbm file (P1 to P7), read by the netpbm rules: fields
// separated by any whitespace, comments wherever whitespace may stand.
namespace lumagrove::netpbm {

// The text of a header or of plain samples. A comment, "#" to the end of its
// line, reads as the line feed that ends it. No more than `budget` bytes are
// taken, so that text without end (a FIFO) ends too.
class Text {
public:
    Text(std::FILE* file, std::uint64_t budget) : file_(file), left_(budget) {}
    int get();
    // The next byte as it is, comment or not.
    int byte();
    // The next character that is no whitespace (EOF at the end).
    int nextNonBlank();
    void setBudget(std::uint64_t budget) { left_ = budget; }
    // Whether the end (or the end of the budget) was reached.
    bool ended() const { return ended_; }

private:
    std::FILE* file_;
    std::uint64_t left_;
    bool ended_ = false;
};

// The most header bytes read: comments and blanks past this are no image.
inline constexpr std::uint64_t kMostHeaderBytes = std::uint64_t{1} << 20;

struct Header {
    char kind = 0;  // the digit after "P": '1' to '7'
    std::int32_t width = 0;
    std::int32_t height = 0;
    int depth = 1;              // samples a pixel: grey, grey and alpha, RGB, RGBA
    std::uint32_t maximum = 1;  // the largest sample; 1 for bitmaps
    // The last field was followed by its separator, so nothing of the header
    // can still be missing from a head cut short.
    bool complete = false;

    bool plain() const { return kind <= '3'; }
    bool bits() const { return kind == '1' || kind == '4'; }
    int bytesPerSample() const { return maximum > 255 ? 2 : 1; }
    std::uint64_t pixelCount() const { return static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height); }
    // The bytes of one row of a binary raster.
    std::uint64_t rowBytes() const;
};

enum class HeaderRead { Done, NotNetpbm, NoSize, NoMaximum, BadPam };

// Reads the header up to the first byte of the raster. A read error is for
// the caller to ask the stream.
HeaderRead ReadHeader(Text& text, Header& header);

}  // namespace lumagrove::netpbm
