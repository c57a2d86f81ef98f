#include "platform/Surface.h"

#include <algorithm>

#include "platform/qt/SurfaceImage.h"

namespace lumagrove::platform {

Surface::Surface(int width, int height)
    : image_(std::make_unique<Image>(Image{QImage(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32)})) {
    image_->pixels.fill(Qt::white);
}

Surface::Surface(Surface&&) noexcept = default;
Surface& Surface::operator=(Surface&&) noexcept = default;
Surface::~Surface() = default;

int Surface::width() const { return image_->pixels.width(); }
int Surface::height() const { return image_->pixels.height(); }

void Surface::setPixel(int x, int y, Rgb color) {
    if (x < 0 || y < 0 || x >= width() || y >= height()) return;
    reinterpret_cast<QRgb*>(image_->pixels.scanLine(y))[x] = qRgb(color.red, color.green, color.blue);
}

Rgb Surface::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width() || y >= height()) return {};
    const QRgb value = image_->pixels.pixel(x, y);
    return Rgb{static_cast<std::uint8_t>(qRed(value)), static_cast<std::uint8_t>(qGreen(value)),
               static_cast<std::uint8_t>(qBlue(value))};
}

void Surface::fillFromGray(std::span<const std::uint8_t> rows, int width, int height) {
    if (width <= 0 || height <= 0 || rows.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
        return;
    }
    const int columns = std::min(width, this->width());
    const int lines = std::min(height, this->height());
    for (int y = 0; y < lines; ++y) {
        const std::uint8_t* source = rows.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        auto* target = reinterpret_cast<QRgb*>(image_->pixels.scanLine(y));
        for (int x = 0; x < columns; ++x) target[x] = qRgb(source[x], source[x], source[x]);
    }
}

}  // namespace lumagrove::platform
