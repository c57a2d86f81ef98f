#pragma once

#include <memory>
#include <vector>

#include <QImage>
#include <QPoint>
#include <QRect>

class QPainter;

namespace lumagrove::shell {

// How far an image is ever shown reduced: 1/2^kMostHalvings.
inline constexpr int kMostHalvings = 8;

// An 8-bit grey image as a window shows it, with its halvings: each level
// averages 2 x 2 pixels of the one before (fewer at an odd edge), until a
// level is one pixel or kMostHalvings levels exist. Showing an image reduced
// from the level nearest in size keeps it smooth and costs time in
// proportion to the pixels shown, not to the image. Made once, on the
// window's own thread; read by the GUI thread.
struct ShownImage {
    QImage pixels;
    std::vector<QImage> halvings;
};

// The halvings of `gray`; fewer when memory runs out.
std::vector<QImage> HalvingsOf(const QImage& gray);

// How a view shows an image: image point p appears at p * zoom - scroll.
struct ViewPlacement {
    double zoom = 1.0;
    QPoint scroll;
};

// Paints `area` of the view: white, the image at its top left (pixels kept
// crisp when magnified, smoothed from the nearest halving when reduced). The
// work is in proportion to the area, not to the image.
void PaintImage(QPainter& painter, const ShownImage& image, const ViewPlacement& view, const QRect& area);

// The selection's outline in red, one view pixel wide through the middle of
// the image pixels from corner `from` to corner `to`, both included; nothing
// while the two are one point.
void PaintOutline(QPainter& painter, QPoint from, QPoint to, const ViewPlacement& view);
// The part of the view that outline may touch.
QRect OutlineBounds(QPoint from, QPoint to, const ViewPlacement& view);

}  // namespace lumagrove::shell
