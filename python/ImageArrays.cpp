#include "python/ImageArrays.h"

#include <cstring>
#include <memory>
#include <string>

#include "base/ImageSize.h"
#include "python/Errors.h"

namespace py = pybind11;

namespace lumagrove::python {
namespace {

std::string ShapeText(const py::array& array) { return py::str(py::tuple(array.attr("shape"))).cast<std::string>(); }

}  // namespace

ImageArgument::ImageArgument(py::handle object, const char* name) {
    if (!py::isinstance<py::array>(object)) {
        Raise(PyExc_TypeError, std::string(name) + " must be a 2-D numpy array of uint8, not " +
                                   py::str(py::type::handle_of(object).attr("__name__")).cast<std::string>());
    }
    array_ = py::reinterpret_borrow<py::array>(object);
    if (array_.ndim() != 2) {
        Raise(PyExc_ValueError, std::string(name) + " must be a 2-D array, not " + std::to_string(array_.ndim()) +
                                    "-D (shape " + ShapeText(array_) + ")");
    }
    if (!array_.dtype().is(py::dtype::of<std::uint8_t>())) {
        Raise(PyExc_ValueError,
              std::string(name) + " must hold uint8 values, not " + py::str(array_.dtype()).cast<std::string>());
    }
    const py::ssize_t rows = array_.shape(0);
    const py::ssize_t columns = array_.shape(1);
    if (rows == 0 || columns == 0) {
        Raise(PyExc_ValueError, std::string(name) + " is empty (shape " + ShapeText(array_) + ")");
    }
    if (!IsValidImageSize(columns, rows)) {
        Raise(PyExc_ValueError, std::string(name) + " is too large: " + std::to_string(columns) + " x " +
                                    std::to_string(rows) + " pixels, at most " + std::to_string(kMaxPixelCount) +
                                    " pixels in all");
    }
    data_ = static_cast<const std::uint8_t*>(array_.data());
    width_ = static_cast<std::int32_t>(columns);
    height_ = static_cast<std::int32_t>(rows);
    rowStride_ = array_.strides(0);
    columnStride_ = array_.strides(1);
}

bool ImageArgument::packed() const { return columnStride_ == 1 && (rowStride_ == width_ || height_ == 1); }

ImageView ImageArgument::source(PixelArray& storage) const {
    if (packed())
        return {{data_, static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_)}, width_, height_};
    storage = packedCopy();
    return {{storage.data(), storage.size()}, width_, height_};
}

PixelArray ImageArgument::packedCopy() const {
    const auto width = static_cast<std::size_t>(width_);
    PixelArray pixels(width * static_cast<std::size_t>(height_));
    for (std::int32_t y = 0; y < height_; ++y) {
        const std::uint8_t* from = data_ + y * rowStride_;
        std::uint8_t* to = pixels.data() + y * width;
        if (columnStride_ == 1) {
            std::memcpy(to, from, width);
        } else {
            for (std::size_t x = 0; x < width; ++x) to[x] = from[static_cast<py::ssize_t>(x) * columnStride_];
        }
    }
    return pixels;
}

py::array ArrayOf(PixelArray pixels, std::int32_t width, std::int32_t height) {
    const auto count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    if (width < 1 || height < 1 || pixels.size() != count) {
        Raise(PyExc_RuntimeError, "The operation returned " + std::to_string(pixels.size()) + " pixels for a " +
                                      std::to_string(width) + " x " + std::to_string(height) + " image.");
    }
    auto owned = std::make_unique<PixelArray>(std::move(pixels));
    std::uint8_t* data = owned->data();
    const py::capsule owner(owned.get(), [](void* array) { delete static_cast<PixelArray*>(array); });
    owned.release();  // the capsule owns the pixels from here on
    return py::array_t<std::uint8_t>({static_cast<py::ssize_t>(height), static_cast<py::ssize_t>(width)},
                                     {static_cast<py::ssize_t>(width), py::ssize_t{1}}, data, owner);
}

}  // namespace lumagrove::python
