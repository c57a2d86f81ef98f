#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>

#include "pictures/Pictures.h"

namespace lumagrove {
namespace {

bool EndsWithIgnoringCase(std::string_view name, std::string_view ending) {
    if (name.size() < ending.size()) return false;
    return std::equal(ending.begin(), ending.end(), name.end() - static_cast<std::ptrdiff_t>(ending.size()),
                      [](char e, char n) { return e == std::tolower(static_cast<unsigned char>(n)); });
}

struct NamedFormat {
    std::string_view ending;
    PictureFormat format;
};

constexpr std::array<NamedFormat, 7> kEndings{{{".png", PictureFormat::Png},
                                               {".jpg", PictureFormat::Jpeg},
                                               {".jpeg", PictureFormat::Jpeg},
                                               {".tif", PictureFormat::Tiff},
                                               {".tiff", PictureFormat::Tiff},
                                               {".bmp", PictureFormat::Bmp},
                                               {".webp", PictureFormat::Webp}}};

bool StartsWith(std::span<const std::uint8_t> head, std::string_view signature, std::size_t at = 0) {
    return head.size() >= at + signature.size() &&
           std::memcmp(head.data() + at, signature.data(), signature.size()) == 0;
}

}  // namespace

std::optional<PictureFormat> PictureFormatOfName(std::string_view name) {
    for (const NamedFormat& named : kEndings) {
        if (EndsWithIgnoringCase(name, named.ending)) return named.format;
    }
    return std::nullopt;
}

std::optional<PictureFormat> PictureFormatOfContent(std::span<const std::uint8_t> head) {
    using namespace std::string_view_literals;
    if (StartsWith(head, "\x89PNG\r\n\x1a\n"sv)) return PictureFormat::Png;
    if (StartsWith(head, "\xff\xd8\xff"sv)) return PictureFormat::Jpeg;
    // Classic and big TIFF, in either byte order.
    if (StartsWith(head, "II*\0"sv) || StartsWith(head, "MM\0*"sv) || StartsWith(head, "II+\0"sv) ||
        StartsWith(head, "MM\0+"sv)) {
        return PictureFormat::Tiff;
    }
    if (StartsWith(head, "BM"sv)) return PictureFormat::Bmp;
    if (StartsWith(head, "RIFF"sv) && StartsWith(head, "WEBP"sv, 8)) return PictureFormat::Webp;
    return std::nullopt;
}

}  // namespace lumagrove
