#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <utility>

#include "base/LargeBlocks.h"

namespace lumagrove {

// Gives a PixelArray's memory back where it came from.
struct PixelRelease {
    std::size_t capacity = 0;  // of a large block; 0 for one from new[]
    void operator()(std::uint8_t* bytes) const noexcept {
        if (capacity != 0) {
            ReleaseLargeBlock(bytes, capacity);
        } else {
            delete[] bytes;
        }
    }
};

// An owning block of 8-bit gray samples, row after row with no gap.
// Moved, never copied implicitly: every image has exactly one owner.
// A new array is left uninitialised because every operation writes all of
// its result; filling it first would cost a whole extra pass over memory.
// A large array's memory comes from LargeBlocks, which keeps it warm for the
// next image of its size.
class PixelArray {
public:
    PixelArray() = default;
    explicit PixelArray(std::size_t size) : bytes_(Allocate(size)), size_(size) {}

    static PixelArray Filled(std::size_t size, std::uint8_t value) {
        PixelArray array(size);
        std::memset(array.data(), value, size);
        return array;
    }
    static PixelArray CopyOf(const std::uint8_t* source, std::size_t size) {
        PixelArray array(size);
        if (size != 0) std::memcpy(array.data(), source, size);
        return array;
    }

    // A moved-from array is empty, size included.
    PixelArray(PixelArray&& other) noexcept : bytes_(std::move(other.bytes_)), size_(std::exchange(other.size_, 0)) {}
    PixelArray& operator=(PixelArray&& other) noexcept {
        bytes_ = std::move(other.bytes_);
        size_ = std::exchange(other.size_, 0);
        return *this;
    }
    PixelArray(const PixelArray&) = delete;
    PixelArray& operator=(const PixelArray&) = delete;

    PixelArray Clone() const { return CopyOf(data(), size_); }

    std::uint8_t* data() { return bytes_.get(); }
    const std::uint8_t* data() const { return bytes_.get(); }
    std::size_t size() const { return size_; }
    bool empty() const { return bytes_ == nullptr; }

    std::uint8_t& operator[](std::size_t index) { return bytes_[index]; }
    std::uint8_t operator[](std::size_t index) const { return bytes_[index]; }

    std::uint8_t* begin() { return data(); }
    std::uint8_t* end() { return data() + size_; }
    const std::uint8_t* begin() const { return data(); }
    const std::uint8_t* end() const { return data() + size_; }

private:
    using Bytes = std::unique_ptr<std::uint8_t[], PixelRelease>;

    static Bytes Allocate(std::size_t size) {
        if (!kKeepsLargeBlocks || size < kLargeBlockBytes) return Bytes(new std::uint8_t[size]);  // uninitialised
        std::size_t capacity = 0;
        std::uint8_t* block = AllocateLargeBlock(size, capacity);
        return Bytes(block, PixelRelease{capacity});
    }

    Bytes bytes_;
    std::size_t size_ = 0;
};

}  // namespace lumagrove
