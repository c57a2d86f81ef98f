#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lumagrove::shell {

// A whole decimal number filling the field, blanks around it allowed, as the
// dialogs read their integer fields: a sign only where `allowSign` says (so
// "-5" is no unsigned number), nothing else, no more than 32 bits of
// magnitude. Nothing when the text is no such number.
std::optional<long long> ReadWholeNumber(std::string_view text, bool allowSign);

// The leading decimal number of at most the first 31 characters of a field;
// the rest is ignored, and no number at all gives 0.0.
double ReadLeadingNumber(std::string_view text);

// Sigma as the "Parameters" dialog shows it: two decimals.
std::string FormatSigma(double sigma);

}  // namespace lumagrove::shell
