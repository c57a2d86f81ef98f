#include "imaging/HighMultiplier.h"

#include <algorithm>

namespace lumagrove {

// Each entry asks for expected[x] * 2^16 <= x * m < (expected[x] + 1) * 2^16,
// a range of m. If the ranges share an integer, the smallest integer above
// all their lower ends is one, so that single candidate decides.
std::optional<std::uint16_t> FindHighMultiplier(std::span<const std::uint16_t> expected) {
    if (expected.empty() || expected.size() > 65536) return std::nullopt;
    std::uint64_t candidate = 0;
    for (std::uint64_t x = 1; x < expected.size(); ++x) {
        const std::uint64_t scaled = std::uint64_t{expected[x]} << 16;
        candidate = std::max(candidate, (scaled + x - 1) / x);
    }
    if (candidate > 0xFFFF) return std::nullopt;
    const auto multiplier = static_cast<std::uint16_t>(candidate);
    for (std::uint32_t x = 0; x < expected.size(); ++x) {
        if (HighProduct(x, multiplier) != expected[x]) return std::nullopt;
    }
    return multiplier;
}

}  // namespace lumagrove
