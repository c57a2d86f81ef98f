#pragma once

#include <pybind11/numpy.h>

#include <cstdint>

#include "base/PixelArray.h"
#include "operations/Operation.h"

namespace lumagrove::python {

// An image handed in from Python: a 2-D numpy array of uint8, checked once
// for everything the core relies on. It keeps the array alive, and reads it
// only through its shape and strides, so views, slices and transposes work.
// Every method after construction runs without the interpreter lock.
class ImageArgument {
public:
    // Raises TypeError for anything but a numpy array, ValueError for an
    // array the core cannot take (not 2-D, not uint8, empty, too large).
    ImageArgument(pybind11::handle object, const char* name);

    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }

    // The pixels as the core reads them: the array's own memory when its rows
    // follow one another without a gap, otherwise `storage` filled with a
    // packed copy. The core has no notion of a row stride, so that copy is the
    // only way to hand it a strided view.
    ImageView source(PixelArray& storage) const;

    // A packed copy, for callers that need pixels of their own.
    PixelArray packedCopy() const;

private:
    bool packed() const;

    pybind11::array array_;
    const std::uint8_t* data_ = nullptr;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    pybind11::ssize_t rowStride_ = 0;
    pybind11::ssize_t columnStride_ = 0;
};

// A new uint8 array of the given size that takes over the pixels without
// copying them; numpy frees them when the last view of the array goes.
pybind11::array ArrayOf(PixelArray pixels, std::int32_t width, std::int32_t height);

}  // namespace lumagrove::python
