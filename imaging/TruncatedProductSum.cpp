#include "imaging/TruncatedProductSum.h"

#include <algorithm>

namespace lumagrove {

// A product takes only 256 values per weight, so it is worked out once per
// value here, exactly as the double multiplication gives it. Weights stay
// below 1, so every product fits a byte. Taps share a factor when their
// tables are equal, which makes sharing exact whatever the weights are.
TruncatedProductSum::TruncatedProductSum(std::span<const double> weights) : factorOfTap_(weights.size()) {
    for (std::size_t j = 0; j < weights.size(); ++j) {
        std::array<std::uint8_t, 256> table;
        for (int v = 0; v < 256; ++v) table[v] = static_cast<std::uint8_t>(static_cast<int>(v * weights[j]));
        const auto same = std::find(products_.begin(), products_.end(), table);
        factorOfTap_[j] = static_cast<std::size_t>(same - products_.begin());
        if (same == products_.end()) products_.push_back(table);
    }
    for (const auto& table : products_) {
        std::array<std::uint16_t, 256> expected{};
        std::copy(table.begin(), table.end(), expected.begin());
        const auto multiplier = FindHighMultiplier(expected);
        if (!multiplier) {
            multipliers_.clear();
            return;
        }
        multipliers_.push_back(*multiplier);
    }
}

}  // namespace lumagrove
