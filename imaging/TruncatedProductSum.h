#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "imaging/FixedTaps.h"
#include "imaging/HighMultiplier.h"

namespace lumagrove {

// One pass of a one-dimensional kernel in 8-bit arithmetic: each product of
// a pixel and a weight is truncated to an integer before it is added, and the
// running sum is the 8-bit pixel itself (modulo 256).
//
// A pass is split in two steps so that a product is made once per pixel and
// weight rather than once per tap that meets the pixel: multiply() turns a
// row into the products of one of the kernel's factors, and AddRows() sums
// the products each tap reads. Taps whose products agree for every pixel
// value (the two sides of a symmetric kernel) share one factor.
class TruncatedProductSum {
public:
    explicit TruncatedProductSum(std::span<const double> weights);

    std::size_t factors() const { return products_.size(); }
    std::size_t factorOf(std::size_t tap) const { return factorOfTap_[tap]; }

    // out[k] = trunc(in[k] * weight) for k from 0 to length - 1, with the
    // weight of the given factor. Inlined, so that it is compiled with the
    // instruction set of the function that calls it (VectorClones.h).
    LUMAGROVE_INLINE_BODY void multiply(std::size_t factor, const std::uint8_t* in, std::uint8_t* out,
                                        std::ptrdiff_t length) const;

    // Whether every factor runs as a vector high multiply rather than a table.
    bool vectorised() const { return !multipliers_.empty(); }

private:
    // trunc(v * weight) for every pixel value v, one table per factor.
    std::vector<std::array<std::uint8_t, 256>> products_;
    std::vector<std::uint16_t> multipliers_;
    std::vector<std::size_t> factorOfTap_;
};

// Two pixels at a time in a 16-bit word, so that no pixel needs widening:
// the low pixel alone times m gives its product in the high half of the
// 32-bit result; the high pixel alone, which is already 256 times its value,
// gives its product 256 times over, in the high byte, with lower bits to
// clear. Either byte order of the word gives each pixel its own product.
LUMAGROVE_INLINE_BODY inline void TruncatedProductSum::multiply(std::size_t factor, const std::uint8_t* in,
                                                                std::uint8_t* out, std::ptrdiff_t length) const {
    if (!vectorised()) {
        const std::array<std::uint8_t, 256>& product = products_[factor];
        for (std::ptrdiff_t k = 0; k < length; ++k) out[k] = product[in[k]];
        return;
    }
    const std::uint16_t multiplier = multipliers_[factor];
    const std::ptrdiff_t pairs = length / 2;
    for (std::ptrdiff_t k = 0; k < pairs; ++k) {
        std::uint16_t word;
        std::memcpy(&word, in + 2 * k, sizeof word);
        const std::uint16_t low = HighProduct(word & 0x00FFu, multiplier);
        const std::uint16_t high = HighProduct(word & 0xFF00u, multiplier) & 0xFF00u;
        word = static_cast<std::uint16_t>(low | high);
        std::memcpy(out + 2 * k, &word, sizeof word);
    }
    if (length % 2 != 0) out[length - 1] = static_cast<std::uint8_t>(HighProduct(in[length - 1], multiplier));
}

// What AddRows leaves in out[k] when it is given no finish: the sum itself.
struct KeepSum {
    LUMAGROVE_INLINE_BODY std::uint8_t operator()(std::ptrdiff_t, std::uint8_t sum) const { return sum; }
};

// Short kernels keep each sum in a register across all their rows. Past
// nine rows the compiler no longer vectorises the loop.
constexpr std::size_t kMostFewRows = 9;
template <int kRows, typename Finish>
LUMAGROVE_INLINE_BODY inline void AddFewRows(std::span<const std::uint8_t* const> rows, std::uint8_t* out,
                                             std::ptrdiff_t length, Finish finish) {
    std::array<const std::uint8_t*, kRows> row;
    std::copy(rows.begin(), rows.begin() + kRows, row.begin());
    for (std::ptrdiff_t k = 0; k < length; ++k) {
        std::uint8_t sum = 0;
        for (int j = 0; j < kRows; ++j) sum = static_cast<std::uint8_t>(sum + row[j][k]);
        out[k] = finish(k, sum);
    }
}

// Longer ones go row by row over the whole run, each sweep a plain vector
// loop: that keeps the number of rows read at once small enough not to
// thrash the cache.
template <typename Finish>
LUMAGROVE_INLINE_BODY inline void AddManyRows(std::span<const std::uint8_t* const> rows, std::uint8_t* out,
                                              std::ptrdiff_t length, Finish finish) {
    std::fill(out, out + length, 0);
    for (const std::uint8_t* row : rows) {
        for (std::ptrdiff_t k = 0; k < length; ++k) out[k] = static_cast<std::uint8_t>(out[k] + row[k]);
    }
    for (std::ptrdiff_t k = 0; k < length; ++k) out[k] = finish(k, out[k]);
}

// out[k] = finish(k, the sum over j of rows[j][k], modulo 256) for k from 0
// to length - 1; with no rows the sum is 0. `finish` finishes a pixel in
// the same loop as its sum, while the sum is still in a register. Inlined,
// so that it is compiled with the instruction set of the function that
// calls it.
template <typename Finish = KeepSum>
LUMAGROVE_INLINE_BODY inline void AddRows(std::span<const std::uint8_t* const> rows, std::uint8_t* out,
                                          std::ptrdiff_t length, Finish finish = {}) {
    // Taken by value: a store through `out` could otherwise change them as
    // far as the compiler knows, which stops it from vectorising the loops.
    const std::size_t fixedRows = rows.size() <= kMostFewRows ? rows.size() : 0;
    WithFixedTaps(static_cast<std::int64_t>(fixedRows), [rows, out, length, finish](auto fixed) LUMAGROVE_INLINE_BODY {
        constexpr int kRows = decltype(fixed)::value;
        if constexpr (kRows == 0) {
            AddManyRows(rows, out, length, finish);
        } else {
            AddFewRows<kRows>(rows, out, length, finish);
        }
    });
}

}  // namespace lumagrove
