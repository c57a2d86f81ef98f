#include "HostilePictures.h"

#include <vector>

namespace lumagrove::testing {
namespace {

void PutLittle(std::string& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i) & 0xff);
}

// The last start-of-scan marker; entropy-coded data never holds one.
std::size_t LastScan(const std::string& jpeg) { return jpeg.rfind("\xff\xda"); }

struct TiffEntry {
    std::uint16_t tag;
    std::uint16_t type;  // 3 SHORT, 4 LONG
    std::uint32_t value;
};

}  // namespace

std::string JpegWithScans(const std::string& progressive, int scans) {
    const std::size_t last = LastScan(progressive);
    const std::size_t end = progressive.size() - 2;  // the end-of-image marker
    const std::string scan = progressive.substr(last, end - last);
    int had = 0;
    for (std::size_t at = progressive.find("\xff\xda"); at != std::string::npos;
         at = progressive.find("\xff\xda", at + 2))
        ++had;
    std::string out = progressive.substr(0, end);
    for (int i = had; i < scans; ++i) out += scan;
    return out + "\xff\xd9";
}

std::string JpegWithExtraneousBytes(const std::string& progressive) {
    std::string out = progressive;
    out.insert(LastScan(out), std::string(40, '\x5a'));
    return out;
}

std::string TiffDeclaring(std::uint32_t width, std::uint32_t height, std::uint32_t tileSide) {
    std::vector<TiffEntry> entries = {{256, 4, width}, {257, 4, height}, {258, 3, 8}, {259, 3, 1}, {262, 3, 1}};
    if (tileSide == 0) {
        entries.insert(entries.end(), {{273, 4, 0}, {277, 3, 1}, {278, 4, 1}, {279, 4, 1}});
    } else {
        entries.insert(entries.end(), {{277, 3, 1}, {322, 4, tileSide}, {323, 4, tileSide}, {324, 4, 0}, {325, 4, 1}});
    }
    const std::uint32_t dataAt = 8 + 2 + 12 * static_cast<std::uint32_t>(entries.size()) + 4;
    std::string out = "II*";
    out += '\0';
    PutLittle(out, 8, 4);
    PutLittle(out, entries.size(), 2);
    for (const TiffEntry& entry : entries) {
        PutLittle(out, entry.tag, 2);
        PutLittle(out, entry.type, 2);
        PutLittle(out, 1, 4);
        const bool offset = entry.tag == 273 || entry.tag == 324;
        PutLittle(out, offset ? dataAt : entry.value, 4);
    }
    PutLittle(out, 0, 4);  // no next page
    return out + '\x80';
}

std::string AnimationOnCanvas(std::uint32_t canvasWidth, std::uint32_t canvasHeight, std::uint32_t x, std::uint32_t y,
                              std::uint32_t frameWidth, std::uint32_t frameHeight, const std::string& frame) {
    const std::string bitstream = frame.substr(12);  // the VP8L chunk after the RIFF header
    std::string body = "WEBPVP8X";
    PutLittle(body, 10, 4);
    body += '\x12';  // animation and alpha
    PutLittle(body, 0, 3);
    PutLittle(body, canvasWidth - 1, 3);
    PutLittle(body, canvasHeight - 1, 3);
    body += "ANIM";
    PutLittle(body, 6, 4);
    PutLittle(body, 0, 6);  // background, endless loop
    body += "ANMF";
    PutLittle(body, 16 + bitstream.size(), 4);
    PutLittle(body, x / 2, 3);
    PutLittle(body, y / 2, 3);
    PutLittle(body, frameWidth - 1, 3);
    PutLittle(body, frameHeight - 1, 3);
    PutLittle(body, 100, 3);  // duration
    body += '\0';
    body += bitstream;
    std::string out = "RIFF";
    PutLittle(out, body.size(), 4);
    return out + body;
}

std::string BmpWithMasks(std::uint32_t pixel, std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    std::string out = "BM";
    PutLittle(out, 14 + 40 + 12 + 4, 4);
    PutLittle(out, 0, 4);
    PutLittle(out, 14 + 40 + 12, 4);
    for (const auto& [value, bytes] : std::vector<std::pair<std::uint32_t, int>>{
             {40, 4}, {1, 4}, {1, 4}, {1, 2}, {32, 2}, {3, 4}, {4, 4}, {0, 4}, {0, 4}, {0, 4}, {0, 4}}) {
        PutLittle(out, value, bytes);
    }
    for (const std::uint32_t value : {red, green, blue, pixel}) PutLittle(out, value, 4);
    return out;
}

}  // namespace lumagrove::testing
