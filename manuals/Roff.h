#pragma once

#include <string>
#include <string_view>

namespace lumagrove::manuals {

// The first lines of a section-1 page: its title line, naming the release,
// and ragged-right text without hyphenation, so that names stay whole.
std::string RoffHeader(std::string_view title);

// Text as man(7) shows it verbatim: backslashes are escaped, and a line
// that would start with '.' or '\'' (a request to roff) is guarded. Hyphens
// stay hyphens, as in "high-pass".
std::string RoffText(std::string_view text);

// A table's one-line summary as a sentence: capitalised, with a full stop.
std::string RoffSentence(std::string_view summary);

// A name the reader types (a command, a flag, an example line): like
// RoffText, and every '-' becomes a minus sign, so that what is copied from
// the page, or searched for in it, is what the shell wants.
std::string RoffLiteral(std::string_view text);

// Escaped text as one argument of a macro line (.B, .TP, ...): quoted, its
// own quotes escaped, so that blanks stay inside it.
std::string RoffQuoted(std::string_view escaped);

}  // namespace lumagrove::manuals
