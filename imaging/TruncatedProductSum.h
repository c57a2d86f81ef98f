#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace lumagrove {

// One pass of a one-dimensional kernel in 8-bit arithmetic: each product of
// a pixel and a weight is truncated to an integer before it is added, and the
// running sum is the 8-bit pixel itself (modulo 256).
class TruncatedProductSum {
public:
    explicit TruncatedProductSum(std::span<const double> weights);

    // out[k] = sum over j of trunc(taps[j][k] * weight[j]), modulo 256, for k
    // from 0 to length - 1: taps[j] points at the pixels weight j meets, the
    // same row shifted by j for a horizontal pass, row j of the window for a
    // vertical one.
    void apply(std::span<const std::uint8_t* const> taps, std::uint8_t* out, std::ptrdiff_t length) const;

    std::size_t size() const { return products_.size(); }

    // Whether every weight runs as a vector high multiply rather than a table.
    bool vectorised() const { return !multipliers_.empty(); }

private:
    // trunc(v * weight) for every pixel value v, one table per weight.
    std::vector<std::array<std::uint8_t, 256>> products_;
    std::vector<std::uint16_t> multipliers_;
};

}  // namespace lumagrove
