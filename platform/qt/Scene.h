#pragma once

#include <memory>
#include <vector>

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>

class QPainter;

namespace lumagrove::platform::backend {

// A picture placed on the client area. It shares the surface's memory, so a
// scene costs nothing in proportion to the picture.
struct ScenePicture {
    QImage pixels;                                          // 8-bit grey
    std::shared_ptr<const std::vector<QImage>> reductions;  // see HalvingsOf
    QRect target;                                           // in client pixels
    QPoint source;                                          // the picture's pixel shown at the target's top left
};

struct SceneLine {
    QPoint from;
    QPoint last;  // the last pixel the line covers
    QColor color;
    int width = 1;
};

// What a window shows, as its thread last painted it: pictures on the white
// background and lines over them, in client pixels. The main thread shows it
// at any zoom and scroll position without asking the window's thread again.
struct Scene {
    std::vector<ScenePicture> pictures;
    std::vector<SceneLine> lines;
};

// How a view shows the client area: client point p appears at
// p * zoom - scroll in the view.
struct ViewPlacement {
    double zoom = 1.0;
    QPoint scroll;
};

// Paints `area` of the view: background, pictures (pixels kept crisp when
// magnified, smoothed from the nearest reduction when reduced), then lines
// one view pixel wide per pen width through the middle of the client pixels
// they cover. The work is in proportion to the area, not to the pictures.
void PaintScene(QPainter& painter, const Scene& scene, const ViewPlacement& view, const QRect& area);

// The part of the view a line may touch.
QRect LineBounds(const SceneLine& line, const ViewPlacement& view);

// True when both scenes show the same pictures in the same places, so that
// only their lines can differ.
bool SamePictures(const Scene& one, const Scene& other);

}  // namespace lumagrove::platform::backend
