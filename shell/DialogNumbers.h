#pragma once

#include <string>
#include <string_view>

namespace lumagrove::shell {

// The leading decimal number of at most the first 31 characters of a field;
// the rest is ignored, and no number at all gives 0.0.
double ReadLeadingNumber(std::string_view text);

// Sigma as the "Parameters" dialog shows it: two decimals.
std::string FormatSigma(double sigma);

}  // namespace lumagrove::shell
