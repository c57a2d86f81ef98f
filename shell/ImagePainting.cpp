#include "shell/ImagePainting.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include <QPainter>

namespace lumagrove::shell {

namespace {

const QColor kOutlineColor(220, 0, 0);

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

// How many times to halve an image shown at `zoom` so that what is left is
// shown at between half and full size: never enlarged, never reduced so far
// that pixels are skipped.
int HalvingsFor(double zoom, std::size_t available) {
    if (zoom >= 1.0) return 0;
    const int wanted = static_cast<int>(std::floor(std::log2(1.0 / zoom) + 1e-9));
    return std::min(wanted, static_cast<int>(available));
}

QPointF CentreOf(QPoint pixel, const ViewPlacement& view) {
    return QPointF((pixel.x() + 0.5) * view.zoom - view.scroll.x(), (pixel.y() + 0.5) * view.zoom - view.scroll.y());
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

void PaintImage(QPainter& painter, const ShownImage& image, const ViewPlacement& view, const QRect& area) {
    painter.fillRect(area, Qt::white);
    const double zoom = view.zoom;
    const QRectF shown(-view.scroll.x(), -view.scroll.y(), image.pixels.width() * zoom, image.pixels.height() * zoom);
    const QRect visible = shown.toAlignedRect().intersected(area);
    if (visible.isEmpty()) return;

    const int halvings = HalvingsFor(zoom, image.halvings.size());
    const QImage& level = halvings == 0 ? image.pixels : image.halvings[halvings - 1];
    const int factor = 1 << halvings;
    // The level's pixels under the visible part; smoothing also reads one
    // pixel beyond each edge.
    const int spare = zoom < 1.0 ? 1 : 0;
    const auto first = [&](double viewEdge, double shownEdge) {
        return std::max(static_cast<int>(std::floor((viewEdge - shownEdge) / zoom / factor)) - spare, 0);
    };
    const auto end = [&](double viewEdge, double shownEdge, int levelSide) {
        return std::min(static_cast<int>(std::ceil((viewEdge - shownEdge) / zoom / factor)) + spare, levelSide);
    };
    const int left = first(visible.left(), shown.left());
    const int top = first(visible.top(), shown.top());
    const int right = end(visible.right() + 1, shown.left(), level.width());
    const int bottom = end(visible.bottom() + 1, shown.top(), level.height());
    if (left >= right || top >= bottom) return;

    // A view of just those pixels: nothing is copied but what is shown.
    const QImage part(level.constScanLine(top) + left, right - left, bottom - top, level.bytesPerLine(),
                      QImage::Format_Grayscale8);
    const double scale = factor * zoom;
    const QRectF to(shown.left() + left * scale, shown.top() + top * scale, (right - left) * scale,
                    (bottom - top) * scale);
    painter.save();
    painter.setClipRect(visible, Qt::IntersectClip);
    if (zoom < 1.0) {
        // Qt smooths 32-bit images far faster than grey ones, and the part
        // is only a few times the area shown.
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(to, part.convertToFormat(QImage::Format_RGB32));
    } else {
        painter.drawImage(to, part);
    }
    painter.restore();
}

void PaintOutline(QPainter& painter, QPoint from, QPoint to, const ViewPlacement& view) {
    if (from == to) return;
    QPen pen(kOutlineColor, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    pen.setCosmetic(true);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(pen);
    const QPointF corners[] = {CentreOf(from, view), CentreOf(QPoint(from.x(), to.y()), view), CentreOf(to, view),
                               CentreOf(QPoint(to.x(), from.y()), view)};
    painter.drawPolygon(corners, 4);
    painter.restore();
}

QRect OutlineBounds(QPoint from, QPoint to, const ViewPlacement& view) {
    constexpr int kSpare = 2;
    return QRectF(CentreOf(from, view), CentreOf(to, view))
        .normalized()
        .toAlignedRect()
        .adjusted(-kSpare, -kSpare, kSpare, kSpare);
}

}  // namespace lumagrove::shell
