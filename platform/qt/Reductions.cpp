#include "platform/qt/Reductions.h"

#include <cstdint>

namespace lumagrove::platform::backend {

namespace {

// Rounded mean of the pixels of `from` that fall into each pixel of `to`.
void Halve(const QImage& from, QImage& to) {
    const int width = from.width();
    const int height = from.height();
    const int pairs = width / 2;
    for (int y = 0; y < to.height(); ++y) {
        const std::uint8_t* upper = from.constScanLine(2 * y);
        // An odd last row pairs with itself.
        const std::uint8_t* lower = from.constScanLine(2 * y + 1 < height ? 2 * y + 1 : 2 * y);
        std::uint8_t* out = to.scanLine(y);
        for (int x = 0; x < pairs; ++x) {
            const unsigned sum = upper[2 * x] + upper[2 * x + 1] + lower[2 * x] + lower[2 * x + 1];
            out[x] = static_cast<std::uint8_t>((sum + 2) / 4);
        }
        if (width % 2 != 0) {
            const unsigned sum = upper[width - 1] + lower[width - 1];
            out[pairs] = static_cast<std::uint8_t>((sum + 1) / 2);
        }
    }
}

}  // namespace

std::vector<QImage> HalvingsOf(const QImage& gray) {
    std::vector<QImage> levels;
    const QImage* last = &gray;
    while (levels.size() < kMostHalvings && (last->width() > 1 || last->height() > 1)) {
        QImage next((last->width() + 1) / 2, (last->height() + 1) / 2, QImage::Format_Grayscale8);
        if (next.isNull()) break;
        Halve(*last, next);
        levels.push_back(std::move(next));
        last = &levels.back();
    }
    return levels;
}

}  // namespace lumagrove::platform::backend
