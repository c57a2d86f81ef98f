#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace lumagrove {

// The two passes of the uniform filter: the sum of 2 * (window / 2) + 1
// pixels, divided by the window and truncated. An even window sums one pixel
// more than it divides by, so its quotient can pass 255; it is held at 255
// rather than wrapped round to a dark value.
class BoxSum {
public:
    explicit BoxSum(std::int32_t window);

    // out[k] = mean of in[k] to in[k + taps - 1], for k from 0 to length - 1.
    void across(const std::uint8_t* in, std::uint8_t* out, std::ptrdiff_t length);

    // Rows firstRow <= y < endRow of out (each `width` long) become the mean
    // of rows y - half to y + half of in.
    void down(const std::uint8_t* in, std::ptrdiff_t width, std::ptrdiff_t firstRow, std::ptrdiff_t endRow,
              std::uint8_t* out);

private:
    template <typename Sum>
    void divide(const std::vector<Sum>& sums, std::uint8_t* out, std::ptrdiff_t length) const;
    template <typename Sum>
    void sumAcross(const std::uint8_t* in, std::vector<Sum>& sums, std::ptrdiff_t length) const;
    template <typename Sum>
    void sumDown(const std::uint8_t* in, std::ptrdiff_t width, std::ptrdiff_t firstRow, std::ptrdiff_t endRow,
                 std::uint8_t* out, std::vector<Sum>& sums) const;

    std::int64_t window_;
    std::int64_t taps_;
    // Set when a high multiply reproduces every quotient, which needs the
    // sums to fit 16 bits (odd windows up to 257).
    std::optional<std::uint16_t> multiplier_;
    std::vector<std::uint16_t> narrowSums_;
    std::vector<std::uint32_t> wideSums_;
};

}  // namespace lumagrove
