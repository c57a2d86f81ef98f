#include "base/PrintableText.h"

#include <cstdint>

namespace lumagrove {
namespace {

constexpr std::uint8_t kUtf8LeadOfC1 = 0xC2;

bool IsControl(std::uint8_t byte) { return byte < 0x20 || byte == 0x7F; }
bool IsC1Tail(std::uint8_t byte) { return byte >= 0x80 && byte <= 0x9F; }

void AppendOctal(std::string& text, std::uint8_t byte) {
    text += '\\';
    text += static_cast<char>('0' + (byte >> 6));
    text += static_cast<char>('0' + ((byte >> 3) & 7));
    text += static_cast<char>('0' + (byte & 7));
}

}  // namespace

std::string WithControlsEscaped(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<std::uint8_t>(text[i]);
        if (IsControl(byte)) {
            AppendOctal(shown, byte);
        } else if (byte == kUtf8LeadOfC1 && i + 1 < text.size() && IsC1Tail(static_cast<std::uint8_t>(text[i + 1]))) {
            AppendOctal(shown, byte);
            AppendOctal(shown, static_cast<std::uint8_t>(text[++i]));
        } else {
            shown += text[i];
        }
    }
    return shown;
}

}  // namespace lumagrove
