#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace lumagrove {

// Looks for a 16-bit m with (x * m) >> 16 == expected[x] for every x the
// table covers (x below 2^16). Such an m lets a truncated product or an
// integer division run as one vector high multiply instead of a lookup or a
// divide. Returns nothing when no m reproduces every entry.
std::optional<std::uint16_t> FindHighMultiplier(std::span<const std::uint16_t> expected);

// The operation that m stands in for.
inline std::uint16_t HighProduct(std::uint32_t x, std::uint16_t multiplier) {
    return static_cast<std::uint16_t>((x * multiplier) >> 16);
}

}  // namespace lumagrove
