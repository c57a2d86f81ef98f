#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <string_view>

#include "base/ImageSize.h"
#include "formats/FileMessages.h"
#include "formats/Readers.h"

namespace lumagrove {
namespace {

using File = std::unique_ptr<std::FILE, FileCloser>;

// Header lines are read 99 characters at a time: a longer line goes on as
// the next line read. The line feed, if reached, stays at the end.
constexpr int kHeaderLineCapacity = 100;

bool ReadHeaderLine(std::FILE* file, std::string& line) {
    char buffer[kHeaderLineCapacity];
    if (std::fgets(buffer, kHeaderLineCapacity, file) == nullptr) return false;
    line.assign(buffer, std::strlen(buffer));
    return true;
}

// Leading blanks, an optional sign, then digits up to the first non-digit;
// no digits read as 0. However many digits follow, the value stops just past
// the largest valid side, so it can neither overflow nor wrap into range.
std::int64_t LeadingInteger(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    constexpr std::int64_t kSaturation = kMaxPixelCount + 1;
    std::int64_t value = 0;
    for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at) {
        value = std::min(kSaturation, value * 10 + (text[at] - '0'));
    }
    return negative ? -value : value;
}

struct ImageSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// Width is the text before the first space, height the text after it.
bool ParseSizeLine(std::string_view line, ImageSize& size) {
    const std::size_t space = line.find(' ');
    if (space == std::string_view::npos) return false;
    const std::int64_t width = LeadingInteger(line.substr(0, space));
    const std::int64_t height = LeadingInteger(line.substr(space + 1));
    if (!IsValidImageSize(width, height)) return false;
    size = {static_cast<std::int32_t>(width), static_cast<std::int32_t>(height)};
    return true;
}

// A plain sample's digits and separator: "65535 " from a 16-bit map, with
// room for the padding some writers line their columns up with.
constexpr std::uint64_t kMostPlainSampleBytes = 8;

// The plain samples' text, no longer than their count declares, so that a
// stream of blanks or digits without end (a FIFO, a device) ends too, where
// standard input, read as far as the header declares, ends.
class PlainText {
public:
    PlainText(std::FILE* file, std::uint64_t samples) : file_(file), left_(samples * kMostPlainSampleBytes) {}
    int get() {
        if (left_ == 0) return EOF;
        --left_;
        return std::getc(file_);
    }
    void unget(int c) {
        ++left_;
        std::ungetc(c, file_);
    }

private:
    std::FILE* file_;
    std::uint64_t left_;
};

enum class PlainRead {
    Sample,   // a number was read
    Skipped,  // a sign without digits was used up; the next read may succeed
    Stuck,    // the end of the file, or text that is not a number
};

// One whitespace-separated decimal integer, kept as its low 8 bits. Text that
// is not a number is left in the stream, so once stuck, every later read
// would be stuck on the same text too.
PlainRead ReadPlainSample(PlainText& text, std::uint8_t& sample) {
    int c = text.get();
    while (c != EOF && std::isspace(c)) c = text.get();
    const bool sign = c == '+' || c == '-';
    const bool negative = c == '-';
    if (sign) c = text.get();
    if (c == EOF || !std::isdigit(c)) {
        if (c != EOF) text.unget(c);
        return sign ? PlainRead::Skipped : PlainRead::Stuck;
    }
    std::uint32_t value = 0;  // wraps modulo 2^32, which keeps the low 8 bits exact
    while (c != EOF && std::isdigit(c)) {
        value = value * 10u + static_cast<std::uint32_t>(c - '0');
        c = text.get();
    }
    if (c != EOF) text.unget(c);
    sample = static_cast<std::uint8_t>(negative ? 0u - value : value);
    return PlainRead::Sample;
}

void ReadBinarySamples(std::FILE* file, PixelArray& pixels) {
    const std::size_t read = std::fread(pixels.data(), 1, pixels.size(), file);
    // Samples past the end of a short file are white.
    std::memset(pixels.data() + read, 255, pixels.size() - read);
}

void ReadPlainSamples(std::FILE* file, PixelArray& pixels) {
    PlainText text(file, pixels.size());
    // An unreadable sample repeats the last one read; before any, it is 0.
    // Once stuck, the rest is filled at once: a few bytes may declare two
    // billion samples, and asking the stream for each would take minutes.
    std::uint8_t last = 0;
    std::size_t at = 0;
    for (; at < pixels.size(); ++at) {
        const PlainRead read = ReadPlainSample(text, pixels[at]);
        if (read == PlainRead::Stuck) break;
        if (read == PlainRead::Sample) {
            last = pixels[at];
        } else {
            pixels[at] = last;
        }
    }
    std::memset(pixels.data() + at, last, pixels.size() - at);
}

struct PgmHeader {
    bool binary = false;
    ImageSize size;
    bool whole = false;  // every line of it ended with its line feed
};

enum class HeaderRead { Done, Failed, NotPgm, NoSize };

bool EndsLine(const std::string& line) { return !line.empty() && line.back() == '\n'; }

// The magic, comment, size and maximum-value lines. A read error (a folder,
// a failing disk) is no short file: what was read cannot be trusted. The
// error stays flagged on the stream, so checking after a stage covers every
// read in it.
HeaderRead ReadHeader(std::FILE* file, PgmHeader& header) {
    std::string line;
    const bool haveMagic = ReadHeaderLine(file, line);
    if (std::ferror(file)) return HeaderRead::Failed;
    const std::string_view magic = std::string_view(line).substr(0, 2);
    if (!haveMagic || (magic != "P5" && magic != "P2")) return HeaderRead::NotPgm;
    header.binary = magic == "P5";

    // Comment lines follow the magic line directly. The end of the file ends
    // the search too, with an empty size line.
    do {
        if (!ReadHeaderLine(file, line)) line.clear();
    } while (!line.empty() && line[0] == '#');
    if (std::ferror(file)) return HeaderRead::Failed;
    header.whole = EndsLine(line);
    if (!ParseSizeLine(line, header.size)) return HeaderRead::NoSize;
    // The maximum value: samples are never rescaled.
    header.whole = ReadHeaderLine(file, line) && header.whole && EndsLine(line);
    return HeaderRead::Done;
}

// The gray map `file` holds, titled `name`, which also names it in messages.
std::optional<ImageRecord> ReadPgmFrom(std::FILE* file, const std::string& name, const Reporter& report) {
    PgmHeader header;
    switch (ReadHeader(file, header)) {
        case HeaderRead::Done: break;
        case HeaderRead::Failed: report(CannotOpenForReading(name, errno)); return std::nullopt;
        case HeaderRead::NotPgm:
            report({"File is not in P2 or P5 format!", "Error", MessageIcon::None});
            return std::nullopt;
        case HeaderRead::NoSize: report(NoValidImageSize(name)); return std::nullopt;
    }
    const ImageSize size = header.size;
    const bool binary = header.binary;

    PixelArray pixels;
    try {
        pixels = PixelArray(static_cast<std::size_t>(size.width) * static_cast<std::size_t>(size.height));
    } catch (const std::bad_alloc&) {
        report(CannotAllocateImage());
        return std::nullopt;
    }
    if (binary) {
        ReadBinarySamples(file, pixels);
    } else {
        ReadPlainSamples(file, pixels);
    }
    if (std::ferror(file)) {
        report(CannotOpenForReading(name, errno));
        return std::nullopt;
    }

    ImageRecord record;
    record.width = size.width;
    record.height = size.height;
    record.pixels = std::move(pixels);
    record.title = name;
    return record;
}

// A read-only stream over the bytes, so they are parsed exactly as a file
// would be; nothing is written through it.
File StreamOver(std::span<const std::uint8_t> bytes) {
    return File(bytes.empty() ? nullptr : fmemopen(const_cast<std::uint8_t*>(bytes.data()), bytes.size(), "rb"));
}

}  // namespace

bool LooksLikePgm(std::span<const std::uint8_t> head) {
    return head.size() >= 2 && head[0] == 'P' && (head[1] == '2' || head[1] == '5');
}

std::optional<ImageRecord> ReadPgm(const std::string& fileName, const Reporter& report) {
    File file(OpenForReading(fileName));
    if (!file) {
        report(CannotOpenForReading(fileName, errno));
        return std::nullopt;
    }
    return ReadPgmFrom(file.get(), fileName, report);
}

std::uint64_t PgmLengthDeclared(std::span<const std::uint8_t> head) {
    const File file = StreamOver(head);
    PgmHeader header;
    if (!file || ReadHeader(file.get(), header) != HeaderRead::Done || !header.whole) return 0;
    const long samplesAt = std::ftell(file.get());
    const std::uint64_t samples = static_cast<std::uint64_t>(header.size.width) * header.size.height;
    return static_cast<std::uint64_t>(samplesAt) + samples * (header.binary ? 1 : kMostPlainSampleBytes);
}

std::optional<ImageRecord> ReadPgmBytes(std::span<const std::uint8_t> bytes, const std::string& title,
                                        const Reporter& report) {
    const File file = StreamOver(bytes);
    if (!file) {
        report(CannotOpenForReading(title));
        return std::nullopt;
    }
    return ReadPgmFrom(file.get(), title, report);
}

}  // namespace lumagrove
