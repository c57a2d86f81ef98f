#pragma once

#include <cstdint>

namespace lumagrove {

// The largest r with r * r <= n, exactly: what truncating a correctly rounded
// square root of n gives, without the rounding question for large n.
constexpr std::uint64_t IntegerSquareRoot(std::uint64_t n) {
    std::uint64_t root = 0;
    for (std::uint64_t bit = std::uint64_t{1} << 31; bit != 0; bit >>= 1) {
        const std::uint64_t trial = root | bit;
        if (trial * trial <= n) root = trial;
    }
    return root;
}

}  // namespace lumagrove
