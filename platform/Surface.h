#pragma once

#include <cstdint>
#include <memory>
#include <span>

namespace lumagrove::platform {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// An off-screen picture in plain memory, owned by one thread. Drawing on it
// needs no other thread, so rendering an image never waits for the main thread.
class Surface {
public:
    Surface(int width, int height);  // white
    Surface(Surface&&) noexcept;
    Surface& operator=(Surface&&) noexcept;
    ~Surface();

    int width() const;
    int height() const;

    // Points outside the surface are ignored.
    void setPixel(int x, int y, Rgb color);
    Rgb pixel(int x, int y) const;

    // Sets the top-left width x height pixels to the gray levels of `rows`
    // (width bytes per row, top row first) in one pass.
    void fillFromGray(std::span<const std::uint8_t> rows, int width, int height);

    struct Image;
    const Image& image() const { return *image_; }

private:
    std::unique_ptr<Image> image_;
};

}  // namespace lumagrove::platform
