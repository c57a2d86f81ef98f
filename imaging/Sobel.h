#pragma once

// The 3 x 3 Sobel operator as the edge operations share it. Neighbours are
// taken by flat index, so at the first and last column they wrap into the
// adjacent rows; the operator never needs a special case per column.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace lumagrove::sobel {

// The flat indices whose eight neighbours all lie inside the image: from the
// second pixel of the second row to the second-last pixel of the second-last
// row. When no index qualifies, the span is empty and sits at the end, so
// that everything lies before it.
struct Span {
    std::ptrdiff_t begin;
    std::ptrdiff_t end;
};

inline Span ComputedSpan(std::ptrdiff_t width, std::ptrdiff_t count) {
    const std::ptrdiff_t begin = width + 1;
    const std::ptrdiff_t end = count - width - 1;
    if (width < 1 || end <= begin) return {count, count};
    return {begin, end};
}

// Gives the indices outside the span the value of a pixel whose gradient is 0.
template <typename Value>
void FillOutside(Span span, Value* out, std::ptrdiff_t count, Value value) {
    std::fill(out, out + span.begin, value);
    std::fill(out + span.end, out + count, value);
}

// Positive where the right side is brighter.
inline int Gx(const std::uint8_t* p, std::ptrdiff_t i, std::ptrdiff_t w) {
    return (p[i - w + 1] + 2 * p[i + 1] + p[i + w + 1]) - (p[i - w - 1] + 2 * p[i - 1] + p[i + w - 1]);
}

// Positive where the row above is brighter.
inline int Gy(const std::uint8_t* p, std::ptrdiff_t i, std::ptrdiff_t w) {
    return (p[i - w - 1] + 2 * p[i - w] + p[i - w + 1]) - (p[i + w - 1] + 2 * p[i + w] + p[i + w + 1]);
}

// The magnitude is trunc(sqrt((gx/8)^2 + (gy/8)^2)), the largest m with
// 64 m^2 <= gx^2 + gy^2. Only the integer part of (gx^2 + gy^2) / 64 can
// change that m, so this floored square is all the edge tests need.
inline int ScaledSquare(int gx, int gy) { return (gx * gx + gy * gy) >> 6; }

// The largest m with m^2 <= square. The square stays below 2^15, where a
// correctly rounded single-precision root lies at least 1/362 below the next
// integer whenever the true root does, so truncating it is exact. Single
// precision lets the compiler take eight roots at a time.
inline int Magnitude(int scaledSquare) { return static_cast<int>(std::sqrt(static_cast<float>(scaledSquare))); }

// Degrees as this program has always counted them: pi is taken as
// 3.141592654, which is why a true 45 degrees gives 44 and 180 gives 179.
inline int AngleDegrees(int gx, int gy) {
    double theta = 0.0;
    if (gx != 0) {
        theta = std::atan2(0.125 * gy, 0.125 * gx);
    } else if (gy != 0) {
        theta = gy > 0 ? 1.570796327 : -1.570796327;
    }
    return static_cast<int>(theta * 57.29577950560105);
}

}  // namespace lumagrove::sobel
