#include "shell/DialogNumbers.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace lumagrove::shell {

std::optional<long long> ReadWholeNumber(std::string_view text, bool allowSign) {
    const auto isBlank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    auto begin = std::find_if_not(text.begin(), text.end(), isBlank);
    auto end = std::find_if_not(text.rbegin(), std::make_reverse_iterator(begin), isBlank).base();
    const bool negative = allowSign && begin != end && *begin == '-';
    if (negative) ++begin;
    if (begin == end) return std::nullopt;
    long long value = 0;
    constexpr long long kLimit = std::numeric_limits<std::uint32_t>::max();
    for (auto it = begin; it != end; ++it) {
        if (!std::isdigit(static_cast<unsigned char>(*it))) return std::nullopt;
        value = value * 10 + (*it - '0');
        if (value > kLimit) return std::nullopt;
    }
    return negative ? -value : value;
}

double ReadLeadingNumber(std::string_view text) {
    const std::string head(text.substr(0, 31));
    // Only a decimal number counts: not the "inf", "nan" or hexadecimal forms
    // the C library would also accept.
    std::size_t body = 0;
    while (body < head.size() && (head[body] == ' ' || head[body] == '\t')) ++body;
    if (body < head.size() && (head[body] == '+' || head[body] == '-')) ++body;
    const bool startsDecimal = body < head.size() && (head[body] == '.' || (head[body] >= '0' && head[body] <= '9'));
    if (!startsDecimal) return 0.0;
    if (head.compare(body, 2, "0x") == 0 || head.compare(body, 2, "0X") == 0) return 0.0;
    const double value = std::strtod(head.c_str(), nullptr);
    return std::isfinite(value) ? value : 0.0;
}

std::string FormatSigma(double sigma) {
    char text[400];
    std::snprintf(text, sizeof text, "%.2f", sigma);
    return text;
}

}  // namespace lumagrove::shell
