#include "platform/Surface.h"

#include <algorithm>

#include "platform/qt/Reductions.h"
#include "platform/qt/SurfaceImage.h"

namespace lumagrove::platform {

namespace {

QImage WhiteImage(int width, int height) {
    QImage white(std::max(width, 0), std::max(height, 0), QImage::Format_Grayscale8);
    white.fill(255);
    return white;
}

// The owner a view of foreign rows keeps alive: released with the last copy
// of the view, whichever thread holds it.
void ReleaseOwner(void* owner) { delete static_cast<std::shared_ptr<const void>*>(owner); }

}  // namespace

const std::shared_ptr<const std::vector<QImage>>& Surface::Image::reduced() const {
    if (!reductions) reductions = std::make_shared<const std::vector<QImage>>(backend::HalvingsOf(pixels));
    return reductions;
}

Surface::Surface(int width, int height) : image_(std::make_unique<Image>(Image{WhiteImage(width, height), {}})) {}

Surface::Surface(std::unique_ptr<Image> image) : image_(std::move(image)) {}

Surface::Surface(Surface&&) noexcept = default;
Surface& Surface::operator=(Surface&&) noexcept = default;
Surface::~Surface() = default;

Surface Surface::Over(std::span<const std::uint8_t> rows, int width, int height, std::shared_ptr<const void> owner) {
    if (width <= 0 || height <= 0 || rows.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
        return Surface(width, height);
    }
    auto* keeper = new std::shared_ptr<const void>(std::move(owner));
    // A view of constant rows: writing to it copies them first.
    QImage view(rows.data(), width, height, width, QImage::Format_Grayscale8, ReleaseOwner, keeper);
    if (view.isNull()) {
        // The toolkit cannot describe pictures this wide; nothing shows them.
        delete keeper;
        return Surface(0, 0);
    }
    return Surface(std::make_unique<Image>(Image{std::move(view), {}}));
}

int Surface::width() const { return image_->pixels.width(); }
int Surface::height() const { return image_->pixels.height(); }

void Surface::setPixel(int x, int y, std::uint8_t level) {
    if (x < 0 || y < 0 || x >= width() || y >= height()) return;
    image_->pixels.scanLine(y)[x] = level;
    image_->reductions.reset();
}

std::uint8_t Surface::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width() || y >= height()) return 0;
    return image_->pixels.constScanLine(y)[x];
}

}  // namespace lumagrove::platform
