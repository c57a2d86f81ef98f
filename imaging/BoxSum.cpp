#include "imaging/BoxSum.h"

#include <algorithm>

#include "imaging/FixedTaps.h"
#include "imaging/HighMultiplier.h"

namespace lumagrove {
namespace {

std::int64_t Quotient(std::uint32_t sum, std::int64_t window) { return std::min<std::int64_t>(sum / window, 255); }

}  // namespace

BoxSum::BoxSum(std::int32_t window) : window_(window), taps_(2 * (std::int64_t{window} / 2) + 1) {
    const std::int64_t largestSum = 255 * taps_;
    if (largestSum < 65536) {
        std::vector<std::uint16_t> expected(static_cast<std::size_t>(largestSum + 1));
        for (std::uint32_t sum = 0; sum < expected.size(); ++sum) {
            expected[sum] = static_cast<std::uint16_t>(Quotient(sum, window_));
        }
        multiplier_ = FindHighMultiplier(expected);
    }
}

template <typename Sum>
void BoxSum::divide(const std::vector<Sum>& sums, std::uint8_t* out, std::ptrdiff_t length) const {
    const Sum* sum = sums.data();
    if (multiplier_) {
        const std::uint16_t multiplier = *multiplier_;
        for (std::ptrdiff_t k = 0; k < length; ++k) out[k] = static_cast<std::uint8_t>(HighProduct(sum[k], multiplier));
    } else {
        for (std::ptrdiff_t k = 0; k < length; ++k) out[k] = static_cast<std::uint8_t>(Quotient(sum[k], window_));
    }
}

// Tap by tap over the whole run, so each inner loop is one vectorisable sweep.
template <typename Sum>
void BoxSum::sumAcross(const std::uint8_t* in, std::vector<Sum>& sums, std::ptrdiff_t length) const {
    sums.assign(static_cast<std::size_t>(length), 0);
    Sum* sum = sums.data();
    for (std::int64_t j = 0; j < taps_; ++j) {
        const std::uint8_t* tap = in + j;
        for (std::ptrdiff_t k = 0; k < length; ++k) sum[k] = static_cast<Sum>(sum[k] + tap[k]);
    }
}

void BoxSum::across(const std::uint8_t* in, std::uint8_t* out, std::ptrdiff_t length) {
    if (!multiplier_) {
        sumAcross(in, wideSums_, length);
        divide(wideSums_, out, length);
        return;
    }
    // The short windows keep each sum in a register across all its taps.
    WithFixedTaps(taps_, [&](auto fixed) {
        constexpr int kTaps = decltype(fixed)::value;
        if constexpr (kTaps == 0) {
            sumAcross(in, narrowSums_, length);
            divide(narrowSums_, out, length);
        } else {
            const std::uint16_t multiplier = *multiplier_;
            for (std::ptrdiff_t k = 0; k < length; ++k) {
                std::uint16_t sum = 0;
                for (int j = 0; j < kTaps; ++j) sum = static_cast<std::uint16_t>(sum + in[k + j]);
                out[k] = static_cast<std::uint8_t>(HighProduct(sum, multiplier));
            }
        }
    });
}

// Column sums slide down the image: each row adds the row entering the
// window and takes away the one leaving it, whatever the window's size.
template <typename Sum>
void BoxSum::sumDown(const std::uint8_t* in, std::ptrdiff_t width, std::ptrdiff_t firstRow, std::ptrdiff_t endRow,
                     std::uint8_t* out, std::vector<Sum>& sums) const {
    const std::ptrdiff_t half = (taps_ - 1) / 2;
    sums.assign(static_cast<std::size_t>(width), 0);
    Sum* sum = sums.data();
    for (std::ptrdiff_t y = firstRow - half; y <= firstRow + half; ++y) {
        const std::uint8_t* row = in + y * width;
        for (std::ptrdiff_t x = 0; x < width; ++x) sum[x] = static_cast<Sum>(sum[x] + row[x]);
    }
    for (std::ptrdiff_t y = firstRow; y < endRow; ++y) {
        if (y > firstRow) {
            const std::uint8_t* entering = in + (y + half) * width;
            const std::uint8_t* leaving = in + (y - half - 1) * width;
            for (std::ptrdiff_t x = 0; x < width; ++x) sum[x] = static_cast<Sum>(sum[x] + entering[x] - leaving[x]);
        }
        divide(sums, out + y * width, width);
    }
}

void BoxSum::down(const std::uint8_t* in, std::ptrdiff_t width, std::ptrdiff_t firstRow, std::ptrdiff_t endRow,
                  std::uint8_t* out) {
    if (firstRow >= endRow) return;
    if (multiplier_) {
        sumDown(in, width, firstRow, endRow, out, narrowSums_);
    } else {
        sumDown(in, width, firstRow, endRow, out, wideSums_);
    }
}

}  // namespace lumagrove
