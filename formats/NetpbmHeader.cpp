#include "formats/NetpbmHeader.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <string_view>

#include "base/ImageSize.h"

namespace lumagrove::netpbm {
namespace {

bool IsBlank(int c) { return c != EOF && std::isspace(c); }
bool IsDigit(int c) { return c != EOF && std::isdigit(c); }

// Values stop just past the largest valid side, which is also past the
// largest maximum, so that they can neither overflow nor wrap into range.
constexpr std::uint64_t kSaturation = kMaxPixelCount + 1;
constexpr std::uint32_t kLargestMaximum = 65535;

// The next field as an unsigned decimal number, which must end in a blank
// (or the end of the file); nothing when it is no such number.
std::optional<std::uint64_t> ReadNumber(Text& text, bool& separated) {
    int c = text.nextNonBlank();
    if (!IsDigit(c)) return std::nullopt;
    std::uint64_t value = 0;
    for (; IsDigit(c); c = text.get()) value = std::min(kSaturation, value * 10 + static_cast<unsigned>(c - '0'));
    separated = IsBlank(c);
    if (!separated && c != EOF) return std::nullopt;
    return value;
}

bool SetSize(std::optional<std::uint64_t> width, std::optional<std::uint64_t> height, Header& header) {
    if (!width || !height) return false;
    if (!IsValidImageSize(static_cast<std::int64_t>(*width), static_cast<std::int64_t>(*height))) return false;
    header.width = static_cast<std::int32_t>(*width);
    header.height = static_cast<std::int32_t>(*height);
    return true;
}

bool SetMaximum(std::optional<std::uint64_t> maximum, Header& header) {
    if (!maximum || *maximum < 1 || *maximum > kLargestMaximum) return false;
    header.maximum = static_cast<std::uint32_t>(*maximum);
    return true;
}

// P1 to P6: width, height and (but for bitmaps) the maximum, one blank after
// the last of them.
HeaderRead ReadFields(Text& text, Header& header) {
    bool separated = false;
    const std::optional<std::uint64_t> width = ReadNumber(text, separated);
    const std::optional<std::uint64_t> height = width ? ReadNumber(text, separated) : std::nullopt;
    if (!SetSize(width, height, header)) return HeaderRead::NoSize;
    header.depth = header.kind == '3' || header.kind == '6' ? 3 : 1;
    if (!header.bits() && !SetMaximum(ReadNumber(text, separated), header)) return HeaderRead::NoMaximum;
    header.complete = separated;
    return HeaderRead::Done;
}

// A PAM header line, without its line feed; nothing at the end of the file
// or past the longest line the format allows.
constexpr std::size_t kLongestPamLine = 255;

std::optional<std::string> ReadPamLine(Text& text) {
    std::string line;
    for (int c = text.get(); c != '\n'; c = text.get()) {
        if (c == EOF || line.size() == kLongestPamLine) return std::nullopt;
        line += static_cast<char>(c);
    }
    return line;
}

// "WIDTH 640": the value after the keyword, as a number; nothing when it is
// not one.
std::optional<std::uint64_t> PamNumber(std::string_view value) {
    if (value.empty() || !std::all_of(value.begin(), value.end(), [](char c) { return IsDigit(c); })) {
        return std::nullopt;
    }
    std::uint64_t number = 0;
    for (const char c : value) number = std::min(kSaturation, number * 10 + static_cast<unsigned>(c - '0'));
    return number;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    while (!text.empty() && IsBlank(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
    return text;
}

// P7: keyword lines up to ENDHDR. The depth says how the samples are laid
// out; the tuple type only names that layout (BLACKANDWHITE is grey of
// maximum 1, whose 0 is black), so it is not needed to read them.
HeaderRead ReadPamLines(Text& text, Header& header) {
    std::optional<std::uint64_t> width, height, depth, maximum;
    for (;;) {
        const std::optional<std::string> line = ReadPamLine(text);
        if (!line) return HeaderRead::BadPam;
        const std::string_view content = Trimmed(*line);
        if (content.empty()) continue;
        const std::size_t blank = std::min(content.find_first_of(" \t\v\f\r"), content.size());
        const std::string_view keyword = content.substr(0, blank);
        const std::string_view value = Trimmed(content.substr(blank));
        if (keyword == "ENDHDR") break;
        if (keyword == "WIDTH") {
            width = PamNumber(value);
        } else if (keyword == "HEIGHT") {
            height = PamNumber(value);
        } else if (keyword == "DEPTH") {
            depth = PamNumber(value);
        } else if (keyword == "MAXVAL") {
            maximum = PamNumber(value);
        } else if (keyword != "TUPLTYPE") {
            return HeaderRead::BadPam;
        }
    }
    if (!SetSize(width, height, header)) return HeaderRead::NoSize;
    if (!SetMaximum(maximum, header)) return HeaderRead::NoMaximum;
    if (!depth || *depth < 1 || *depth > 4) return HeaderRead::BadPam;
    header.depth = static_cast<int>(*depth);
    header.complete = true;
    return HeaderRead::Done;
}

}  // namespace

int Text::byte() {
    if (left_ == 0) {
        ended_ = true;
        return EOF;
    }
    --left_;
    const int c = std::getc(file_);
    if (c == EOF) ended_ = true;
    return c;
}

int Text::get() {
    int c = byte();
    if (c != '#') return c;
    while (c != EOF && c != '\n' && c != '\r') c = byte();
    return c == EOF ? EOF : '\n';
}

int Text::nextNonBlank() {
    int c = get();
    while (IsBlank(c)) c = get();
    return c;
}

std::uint64_t Header::rowBytes() const {
    const auto samples = static_cast<std::uint64_t>(width);
    if (bits()) return (samples + 7) / 8;
    return samples * static_cast<std::uint64_t>(depth) * static_cast<std::uint64_t>(bytesPerSample());
}

HeaderRead ReadHeader(Text& text, Header& header) {
    // The magic number is two bytes, with no comment before or inside it.
    const int p = text.byte();
    const int kind = text.byte();
    if (p != 'P' || kind < '1' || kind > '7') return HeaderRead::NotNetpbm;
    header.kind = static_cast<char>(kind);
    return header.kind == '7' ? ReadPamLines(text, header) : ReadFields(text, header);
}

}  // namespace lumagrove::netpbm
