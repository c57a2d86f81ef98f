// The netpbm family, P1 to P7, read by the netpbm rules into 8-bit grey:
// samples scaled from their maximum, colour and alpha by the one grey rule
// (base/GreyRule.h), bitmaps' 1 black. A binary P5 of maximum 255 is copied
// as it is.
#include <cctype>
#include <cerrno>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "base/GreyRule.h"
#include "formats/FileMessages.h"
#include "formats/NetpbmHeader.h"
#include "formats/Readers.h"

namespace lumagrove {
namespace {

using File = std::unique_ptr<std::FILE, FileCloser>;
using netpbm::Header;
using netpbm::HeaderRead;
using netpbm::Text;

// A plain sample's digits and separator: "65535 " from a 16-bit map, with
// room for the padding some writers line their columns up with.
// Comments among them may take as much again as a header may.
constexpr std::uint64_t kMostPlainSampleBytes = 8;

std::uint64_t PlainTextBudget(const Header& header) {
    return header.pixelCount() * static_cast<std::uint64_t>(header.depth) * kMostPlainSampleBytes +
           netpbm::kMostHeaderBytes;
}

enum class RasterEnd { Whole, Short, AboveMaximum, NotANumber };

struct RasterRead {
    RasterEnd end = RasterEnd::Whole;
    std::uint64_t pixels = 0;  // the whole pixels read
};

// One row's samples, each brought to 8 bits as it comes, then made grey.
class RowConverter {
public:
    explicit RowConverter(const Header& header)
        : header_(header), samples_(static_cast<std::size_t>(header.width) * static_cast<std::size_t>(header.depth)) {}

    // False when the value is above the file's maximum.
    bool put(std::size_t index, std::uint32_t value) {
        if (value > header_.maximum) return false;
        // In a bitmap 1 is black; everywhere else 0 is.
        samples_[index] = header_.bits() ? (value == 1 ? 0 : 255) : ScaleToEightBits(value, header_.maximum);
        return true;
    }
    void toGrey(std::int32_t pixels, std::uint8_t* grey) const {
        RowToGrey(samples_.data(), static_cast<Channels>(header_.depth), pixels, grey);
    }

private:
    const Header& header_;
    std::vector<std::uint8_t> samples_;
};

std::uint32_t RawSample(const Header& header, const std::uint8_t* row, std::size_t index) {
    if (header.bits()) return (row[index / 8] >> (7 - index % 8)) & 1u;
    if (header.bytesPerSample() == 1) return row[index];
    return static_cast<std::uint32_t>(row[2 * index] << 8 | row[2 * index + 1]);  // big-endian
}

std::size_t WholePixelsIn(const Header& header, std::size_t bytes) {
    if (header.bits()) return std::min(bytes * 8, static_cast<std::size_t>(header.width));
    return bytes / (static_cast<std::size_t>(header.depth) * static_cast<std::size_t>(header.bytesPerSample()));
}

RasterRead ReadBinaryRaster(std::FILE* file, const Header& header, PixelArray& pixels) {
    if (header.kind == '5' && header.maximum == 255) {
        const std::size_t read = std::fread(pixels.data(), 1, pixels.size(), file);
        return {read == pixels.size() ? RasterEnd::Whole : RasterEnd::Short, read};
    }
    const auto width = static_cast<std::size_t>(header.width);
    std::vector<std::uint8_t> row(header.rowBytes());
    RowConverter converter(header);
    for (std::size_t y = 0; y < static_cast<std::size_t>(header.height); ++y) {
        const std::size_t read = std::fread(row.data(), 1, row.size(), file);
        const std::size_t whole = read == row.size() ? width : WholePixelsIn(header, read);
        for (std::size_t at = 0; at < whole * static_cast<std::size_t>(header.depth); ++at) {
            if (!converter.put(at, RawSample(header, row.data(), at))) return {RasterEnd::AboveMaximum};
        }
        converter.toGrey(static_cast<std::int32_t>(whole), pixels.data() + y * width);
        if (whole < width) return {RasterEnd::Short, y * width + whole};
    }
    return {RasterEnd::Whole, pixels.size()};
}

enum class PlainValue { Read, End, NotANumber };

// One plain sample: a bitmap's single digit, else a decimal number ending
// in a blank. Past 65535 every value is as much above any maximum.
PlainValue ReadPlainValue(Text& text, bool bits, std::uint32_t& value) {
    int c = text.nextNonBlank();
    if (c == EOF) return PlainValue::End;
    if (!std::isdigit(c)) return PlainValue::NotANumber;
    if (bits) {
        value = static_cast<std::uint32_t>(c - '0');
        return PlainValue::Read;
    }
    value = 0;
    for (; c != EOF && std::isdigit(c); c = text.get()) {
        value = std::min(65536u, value * 10 + static_cast<std::uint32_t>(c - '0'));
    }
    return c == EOF || std::isspace(c) ? PlainValue::Read : PlainValue::NotANumber;
}

RasterRead ReadPlainRaster(Text& text, const Header& header, PixelArray& pixels) {
    const auto width = static_cast<std::size_t>(header.width);
    const std::size_t rowSamples = width * static_cast<std::size_t>(header.depth);
    RowConverter converter(header);
    for (std::size_t y = 0; y < static_cast<std::size_t>(header.height); ++y) {
        for (std::size_t at = 0; at < rowSamples; ++at) {
            std::uint32_t value = 0;
            switch (ReadPlainValue(text, header.bits(), value)) {
                case PlainValue::Read: break;
                case PlainValue::NotANumber: return {RasterEnd::NotANumber};
                case PlainValue::End: {
                    const std::size_t whole = at / static_cast<std::size_t>(header.depth);
                    converter.toGrey(static_cast<std::int32_t>(whole), pixels.data() + y * width);
                    return {RasterEnd::Short, y * width + whole};
                }
            }
            if (!converter.put(at, value)) return {RasterEnd::AboveMaximum};
        }
        converter.toGrey(header.width, pixels.data() + y * width);
    }
    return {RasterEnd::Whole, pixels.size()};
}

std::optional<Message> HeaderProblem(HeaderRead read, const std::string& name) {
    switch (read) {
        case HeaderRead::Done: return std::nullopt;
        case HeaderRead::NotNetpbm: return NotNetpbm(name);
        case HeaderRead::NoSize: return NoValidImageSize(name);
        case HeaderRead::NoMaximum: return NoValidMaximum(name);
        case HeaderRead::BadPam: return UnreadablePamHeader(name);
    }
    return std::nullopt;
}

// The image `file` holds, titled `name`, which also names it in messages.
// A read error (a folder, a failing disk) is no short file: what was read
// cannot be trusted. The error stays flagged on the stream, so checking
// after a stage covers every read in it.
std::optional<ImageRecord> ReadNetpbmFrom(std::FILE* file, const std::string& name, const Reporter& report) {
    Text text(file, netpbm::kMostHeaderBytes);
    Header header;
    const HeaderRead headerRead = netpbm::ReadHeader(text, header);
    if (std::ferror(file)) {
        report(CannotOpenForReading(name, errno));
        return std::nullopt;
    }
    if (const std::optional<Message> problem = HeaderProblem(headerRead, name)) {
        report(*problem);
        return std::nullopt;
    }

    PixelArray pixels;
    try {
        pixels = PixelArray(header.pixelCount());
    } catch (const std::bad_alloc&) {
        report(CannotAllocateImage());
        return std::nullopt;
    }
    RasterRead read;
    try {
        if (header.plain()) {
            // Text without end (a FIFO) ends after a few bytes a sample.
            text.setBudget(PlainTextBudget(header));
            read = ReadPlainRaster(text, header, pixels);
        } else {
            read = ReadBinaryRaster(file, header, pixels);
        }
    } catch (const std::bad_alloc&) {  // a row of samples
        report(CannotAllocateImage());
        return std::nullopt;
    }
    if (std::ferror(file)) {
        report(CannotOpenForReading(name, errno));
        return std::nullopt;
    }
    switch (read.end) {
        case RasterEnd::Whole: break;
        case RasterEnd::AboveMaximum: report(SampleAboveMaximum(name)); return std::nullopt;
        case RasterEnd::NotANumber: report(SampleNotANumber(name)); return std::nullopt;
        case RasterEnd::Short:
            // Samples past the end of a short file are white, filled at once.
            std::memset(pixels.data() + read.pixels, 255, pixels.size() - read.pixels);
            report(ShortFile(name, read.pixels, header.width, header.height));
            break;
    }

    ImageRecord record;
    record.width = header.width;
    record.height = header.height;
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

bool LooksLikeNetpbm(std::span<const std::uint8_t> head) {
    return head.size() >= 2 && head[0] == 'P' && head[1] >= '1' && head[1] <= '7';
}

std::optional<ImageRecord> ReadNetpbm(const std::string& fileName, const Reporter& report) {
    File file(OpenForReading(fileName));
    if (!file) {
        report(CannotOpenForReading(fileName, errno));
        return std::nullopt;
    }
    return ReadNetpbmFrom(file.get(), fileName, report);
}

std::uint64_t NetpbmLengthDeclared(std::span<const std::uint8_t> head) {
    const File file = StreamOver(head);
    if (!file) return 0;
    Text text(file.get(), netpbm::kMostHeaderBytes);
    Header header;
    if (netpbm::ReadHeader(text, header) != HeaderRead::Done || !header.complete) {
        // A header cut short may still become one; a wrong one never will.
        return text.ended() ? 0 : head.size();
    }
    const auto samplesAt = static_cast<std::uint64_t>(std::ftell(file.get()));
    return samplesAt + (header.plain() ? PlainTextBudget(header) : header.rowBytes() * header.height);
}

std::optional<ImageRecord> ReadNetpbmBytes(std::span<const std::uint8_t> bytes, const std::string& title,
                                           const Reporter& report) {
    const File file = StreamOver(bytes);
    if (!file) {
        report(CannotOpenForReading(title));
        return std::nullopt;
    }
    return ReadNetpbmFrom(file.get(), title, report);
}

}  // namespace lumagrove
