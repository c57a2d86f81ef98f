#include "platform/qt/Scene.h"

#include <algorithm>
#include <cmath>

#include <QPainter>

namespace lumagrove::platform::backend {

namespace {

// How many times to halve a picture shown at `zoom` so that what is left is
// shown at between half and full size: never enlarged, never reduced so far
// that pixels are skipped.
int HalvingsFor(double zoom, std::size_t available) {
    if (zoom >= 1.0) return 0;
    const int wanted = static_cast<int>(std::floor(std::log2(1.0 / zoom) + 1e-9));
    return std::min(wanted, static_cast<int>(available));
}

void PaintPicture(QPainter& painter, const ScenePicture& picture, const ViewPlacement& view, const QRect& area) {
    const double zoom = view.zoom;
    const QRectF shown(picture.target.x() * zoom - view.scroll.x(), picture.target.y() * zoom - view.scroll.y(),
                       picture.target.width() * zoom, picture.target.height() * zoom);
    const QRect visible = shown.toAlignedRect().intersected(area);
    if (visible.isEmpty()) return;

    const int halvings = HalvingsFor(zoom, picture.reductions ? picture.reductions->size() : 0);
    const QImage& level = halvings == 0 ? picture.pixels : (*picture.reductions)[halvings - 1];
    const int factor = 1 << halvings;
    // The level's pixels under the visible part; smoothing also reads one
    // pixel beyond each edge.
    const int spare = zoom < 1.0 ? 1 : 0;
    const auto first = [&](double viewEdge, double shownEdge, int source) {
        return static_cast<int>(std::floor(((viewEdge - shownEdge) / zoom + source) / factor)) - spare;
    };
    const auto end = [&](double viewEdge, double shownEdge, int source) {
        return static_cast<int>(std::ceil(((viewEdge - shownEdge) / zoom + source) / factor)) + spare;
    };
    // The level's pixels that hold the placed part of the picture.
    const QRect placed(picture.source, picture.target.size());
    const QRect sourceArea = QRect(QPoint(placed.left() / factor, placed.top() / factor),
                                   QPoint(placed.right() / factor, placed.bottom() / factor))
                                 .intersected(level.rect());
    const int left = std::max(first(visible.left(), shown.left(), picture.source.x()), sourceArea.left());
    const int top = std::max(first(visible.top(), shown.top(), picture.source.y()), sourceArea.top());
    const int right = std::min(end(visible.right() + 1, shown.left(), picture.source.x()), sourceArea.right() + 1);
    const int bottom = std::min(end(visible.bottom() + 1, shown.top(), picture.source.y()), sourceArea.bottom() + 1);
    if (left >= right || top >= bottom) return;

    // A view of just those pixels: nothing is copied but what is shown.
    const QImage part(level.constScanLine(top) + left, right - left, bottom - top, level.bytesPerLine(),
                      QImage::Format_Grayscale8);
    const double scale = factor * zoom;
    const QRectF to(shown.left() + (left * factor - picture.source.x()) * zoom,
                    shown.top() + (top * factor - picture.source.y()) * zoom, (right - left) * scale,
                    (bottom - top) * scale);
    painter.save();
    painter.setClipRect(visible, Qt::IntersectClip);
    if (zoom < 1.0) {
        // The toolkit smooths 32-bit pictures far faster than grey ones, and
        // the part is only a few times the area shown.
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(to, part.convertToFormat(QImage::Format_RGB32));
    } else {
        painter.drawImage(to, part);
    }
    painter.restore();
}

QPointF CentreOf(QPoint pixel, const ViewPlacement& view) {
    return QPointF((pixel.x() + 0.5) * view.zoom - view.scroll.x(), (pixel.y() + 0.5) * view.zoom - view.scroll.y());
}

}  // namespace

void PaintScene(QPainter& painter, const Scene& scene, const ViewPlacement& view, const QRect& area) {
    painter.fillRect(area, Qt::white);
    for (const ScenePicture& picture : scene.pictures) PaintPicture(painter, picture, view, area);
    if (scene.lines.empty()) return;
    painter.save();
    painter.setClipRect(area, Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const SceneLine& line : scene.lines) {
        QPen pen(line.color, std::max(line.width, 1), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
        pen.setCosmetic(true);
        painter.setPen(pen);
        if (line.from == line.last) {
            painter.drawPoint(CentreOf(line.from, view));
        } else {
            painter.drawLine(CentreOf(line.from, view), CentreOf(line.last, view));
        }
    }
    painter.restore();
}

QRect LineBounds(const SceneLine& line, const ViewPlacement& view) {
    const int spare = std::max(line.width, 1) + 1;
    return QRectF(CentreOf(line.from, view), CentreOf(line.last, view))
        .normalized()
        .toAlignedRect()
        .adjusted(-spare, -spare, spare, spare);
}

bool SamePictures(const Scene& one, const Scene& other) {
    return std::equal(one.pictures.begin(), one.pictures.end(), other.pictures.begin(), other.pictures.end(),
                      [](const ScenePicture& a, const ScenePicture& b) {
                          return a.pixels.cacheKey() == b.pixels.cacheKey() && a.target == b.target &&
                                 a.source == b.source;
                      });
}

}  // namespace lumagrove::platform::backend
