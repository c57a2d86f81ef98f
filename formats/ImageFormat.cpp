#include "formats/ImageFormat.h"

#include <algorithm>
#include <cctype>

namespace lumagrove {
namespace {

bool EndsWithIgnoringCase(std::string_view name, std::string_view ending) {
    if (name.size() < ending.size()) return false;
    return std::equal(ending.begin(), ending.end(), name.end() - static_cast<std::ptrdiff_t>(ending.size()),
                      [](char e, char n) { return e == std::tolower(static_cast<unsigned char>(n)); });
}

}  // namespace

bool ImageFormat::names(std::string_view fileName) const {
    return namedBy != nullptr ? namedBy(fileName) : EndsInOneOf(fileName, endings);
}

bool EndsInOneOf(std::string_view fileName, std::string_view endings) {
    const std::vector<std::string_view> all = SplitEndings(endings);
    return std::any_of(all.begin(), all.end(),
                       [&](std::string_view ending) { return EndsWithIgnoringCase(fileName, ending); });
}

std::vector<std::string_view> EndingsOf(const ImageFormat& format) { return SplitEndings(format.endings); }

std::vector<std::string_view> SplitEndings(std::string_view list) {
    std::vector<std::string_view> endings;
    std::string_view rest = list;
    while (!rest.empty()) {
        const std::size_t space = rest.find(' ');
        endings.push_back(rest.substr(0, space));
        rest = space == std::string_view::npos ? std::string_view() : rest.substr(space + 1);
    }
    return endings;
}

std::string ListOfEndings(std::span<const ImageFormat> formats, bool writtenOnly) {
    std::vector<std::string_view> all;
    for (const ImageFormat& format : formats) {
        if (writtenOnly && format.write == nullptr) continue;
        for (std::string_view ending : EndingsOf(format)) all.push_back(ending);
    }
    std::string list;
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (i > 0) list += i + 1 == all.size() ? " or " : ", ";
        list += all[i];
    }
    return list;
}

}  // namespace lumagrove
