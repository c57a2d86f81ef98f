#pragma once

#include <fftw3.h>

#include <cstddef>
#include <memory>
#include <new>

namespace lumagrove {

struct FftwFree {
    void operator()(void* block) const { fftw_free(block); }
};

using ComplexArray = std::unique_ptr<fftw_complex[], FftwFree>;
using RealArray = std::unique_ptr<double[], FftwFree>;

// FFTW's allocator aligns for the library's vector code. A refused allocation
// surfaces as std::bad_alloc, which callers already turn into the program's
// out-of-memory message.
inline ComplexArray AllocateComplex(std::size_t count) {
    ComplexArray array(fftw_alloc_complex(count));
    if (array == nullptr) throw std::bad_alloc();
    return array;
}

inline RealArray AllocateReal(std::size_t count) {
    RealArray array(fftw_alloc_real(count));
    if (array == nullptr) throw std::bad_alloc();
    return array;
}

}  // namespace lumagrove
