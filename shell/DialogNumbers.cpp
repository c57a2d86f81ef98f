#include "shell/DialogNumbers.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace lumagrove::shell {

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
