#include "manuals/Roff.h"

#include <cctype>

namespace lumagrove::manuals {
namespace {

std::string Escaped(std::string_view text, bool literal) {
    std::string out;
    bool lineStart = true;
    for (const char c : text) {
        if (lineStart && (c == '.' || c == '\'')) out += "\\&";
        if (c == '\\') {
            out += "\\e";
        } else if (c == '-' && literal) {
            out += "\\-";
        } else {
            out += c;
        }
        lineStart = c == '\n';
    }
    return out;
}

}  // namespace

// No date: a page built twice from the same sources is the same page.
std::string RoffHeader(std::string_view title) {
    return ".TH " + RoffLiteral(title) +
           " 1 \"\" \"Lumagrove " LUMAGROVE_PROJECT_VERSION "\" \"User Commands\"\n.nh\n.ad l\n";
}

std::string RoffSentence(std::string_view summary) {
    std::string sentence = RoffText(summary);
    const std::size_t first = sentence.starts_with("\\&") ? 2 : 0;
    if (first < sentence.size()) {
        sentence[first] = static_cast<char>(std::toupper(static_cast<unsigned char>(sentence[first])));
    }
    return sentence + '.';
}

std::string RoffText(std::string_view text) { return Escaped(text, false); }

std::string RoffLiteral(std::string_view text) { return Escaped(text, true); }

std::string RoffQuoted(std::string_view escaped) {
    std::string out = "\"";
    for (const char c : escaped) {
        if (c == '"') {
            out += "\\(dq";
        } else {
            out += c;
        }
    }
    return out + '"';
}

}  // namespace lumagrove::manuals
