#include "imaging/TruncatedProductSum.h"

#include <algorithm>

#include "imaging/FixedTaps.h"
#include "imaging/HighMultiplier.h"
#include "imaging/VectorClones.h"

namespace lumagrove {

// A product takes only 256 values per weight, so it is worked out once per
// value here, exactly as the double multiplication gives it. Weights stay
// below 1, so every product fits a byte.
TruncatedProductSum::TruncatedProductSum(std::span<const double> weights) : products_(weights.size()) {
    for (std::size_t j = 0; j < weights.size(); ++j) {
        for (int v = 0; v < 256; ++v) products_[j][v] = static_cast<std::uint8_t>(static_cast<int>(v * weights[j]));
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

// Short kernels keep each sum in a register across all taps. Longer ones go
// weight by weight over the whole run, each sweep a plain vector loop: that
// keeps the number of rows read at once small enough not to thrash the cache.
LUMAGROVE_VECTOR_CLONES void TruncatedProductSum::apply(std::span<const std::uint8_t* const> taps, std::uint8_t* out,
                                                        std::ptrdiff_t length) const {
    if (!vectorised()) {
        std::fill(out, out + length, 0);
        for (std::size_t j = 0; j < products_.size(); ++j) {
            const std::uint8_t* tap = taps[j];
            const std::array<std::uint8_t, 256>& product = products_[j];
            for (std::ptrdiff_t k = 0; k < length; ++k) out[k] = static_cast<std::uint8_t>(out[k] + product[tap[k]]);
        }
        return;
    }
    const std::uint16_t* multipliers = multipliers_.data();
    const auto shortLength = static_cast<std::int64_t>(multipliers_.size() <= 5 ? multipliers_.size() : 0);
    WithFixedTaps(shortLength, [&](auto fixed) {
        constexpr int kTaps = decltype(fixed)::value;
        if constexpr (kTaps == 0) {
            std::fill(out, out + length, 0);
            for (std::size_t j = 0; j < multipliers_.size(); ++j) {
                const std::uint8_t* tap = taps[j];
                const std::uint16_t multiplier = multipliers[j];
                for (std::ptrdiff_t k = 0; k < length; ++k) {
                    out[k] = static_cast<std::uint8_t>(out[k] + HighProduct(tap[k], multiplier));
                }
            }
        } else {
            std::array<std::uint16_t, kTaps> m;
            std::array<const std::uint8_t*, kTaps> tap;
            std::copy(multipliers, multipliers + kTaps, m.begin());
            std::copy(taps.begin(), taps.begin() + kTaps, tap.begin());
            for (std::ptrdiff_t k = 0; k < length; ++k) {
                std::uint16_t sum = 0;
                for (int j = 0; j < kTaps; ++j) sum = static_cast<std::uint16_t>(sum + HighProduct(tap[j][k], m[j]));
                out[k] = static_cast<std::uint8_t>(sum);
            }
        }
    });
}

}  // namespace lumagrove
