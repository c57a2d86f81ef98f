#pragma once

#include <cstdint>
#include <type_traits>

namespace lumagrove {

// Calls body(std::integral_constant<int, Taps>) with the kernel length as a
// compile-time constant for the short odd lengths the menus produce, and
// with 0 for any other length. A constant length lets the compiler unroll
// the taps and keep each sum in a vector register across them.
//
// Always inlined, and a body should be too (LUMAGROVE_INLINE_BODY), so that
// in a function compiled once per instruction set (VectorClones.h) the loops
// are compiled with that set rather than in a separate, baseline function.
#define LUMAGROVE_INLINE_BODY __attribute__((always_inline))
template <typename Body>
LUMAGROVE_INLINE_BODY inline void WithFixedTaps(std::int64_t taps, Body&& body) {
    switch (taps) {
        case 1: return body(std::integral_constant<int, 1>{});
        case 3: return body(std::integral_constant<int, 3>{});
        case 5: return body(std::integral_constant<int, 5>{});
        case 7: return body(std::integral_constant<int, 7>{});
        case 9: return body(std::integral_constant<int, 9>{});
        case 11: return body(std::integral_constant<int, 11>{});
        case 13: return body(std::integral_constant<int, 13>{});
        case 15: return body(std::integral_constant<int, 15>{});
        case 17: return body(std::integral_constant<int, 17>{});
        default: return body(std::integral_constant<int, 0>{});
    }
}

}  // namespace lumagrove
