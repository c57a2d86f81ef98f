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

// An off-screen 8-bit grey picture in plain memory, owned by one thread.
// Drawing on it needs no other thread, so rendering an image never waits for
// the main thread, and it costs one byte per pixel.
class Surface {
public:
    Surface(int width, int height);  // white
    Surface(Surface&&) noexcept;
    Surface& operator=(Surface&&) noexcept;
    ~Surface();

    // A surface that shows `rows` (width bytes per row, top row first)
    // without copying them. They must not change while anything may still
    // show them, so `owner` is held that long: by the surface and by every
    // window it was painted into. With too few bytes for the size, the
    // surface is white instead and reads nothing.
    static Surface Over(std::span<const std::uint8_t> rows, int width, int height, std::shared_ptr<const void> owner);

    int width() const;
    int height() const;

    // Points outside the surface are ignored. Setting a pixel of a surface
    // made Over() someone's rows first copies them.
    void setPixel(int x, int y, std::uint8_t level);
    // 0 outside the surface.
    std::uint8_t pixel(int x, int y) const;

    struct Image;
    const Image& image() const { return *image_; }

private:
    explicit Surface(std::unique_ptr<Image> image);
    std::unique_ptr<Image> image_;
};

}  // namespace lumagrove::platform
