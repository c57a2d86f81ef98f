#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Where windows go on the screen and how large their views are. GUI thread
// only.
namespace lumagrove::shell {

// The frame assumed around a window until the window manager's real one has
// been seen: a border all round and a caption on top.
inline constexpr int kFrameBorder = 3;
inline constexpr int kCaptionHeight = 19;

// The largest zoom a view offers, and the smallest.
inline constexpr double kLargestZoom = 32.0;
inline constexpr double kSmallestZoom = 1.0 / 256.0;

// The least a view of an image shows across and down: a window is never
// narrower than its menu bar, nor so flat that its client area is hard to hit.
inline constexpr int kLeastViewHeight = 64;

// The part of the screen image windows are placed in: the primary screen's
// available area, less the strip the control window keeps for itself.
QRect PlacementArea();

// What the window manager draws around a window: the assumed frame, or more
// where a real frame was seen to be larger.
QMargins FrameMargins();
// Takes note of the real frame around a shown window.
void NoteFrameOf(const QWidget& window);

// How an image of `image` pixels is shown when the screen leaves `room` for
// its view: at its own size when it fits, otherwise reduced until it fits
// (but never below kSmallestZoom, and then the view fills the room). The
// view is at least `least` large; the image sits at its top left.
struct ViewFit {
    QSize view;
    double zoom = 1.0;
};
ViewFit FitView(QSize image, QSize room, QSize least);

// Where the next window of `outer` size goes: windows cascade from the top
// left of `area` and start a new round before one would leave it. Each round
// starts one step further right than the one before, so no window lands
// exactly on one of an earlier round.
QPoint NextCascadePosition(QSize outer, const QRect& area);
// How far the windows of a cascade are apart; a window as large as the area
// leaves this much free, so the next one is not placed exactly over it.
inline constexpr int kCascadeStep = 26;

// Moves a window to the top right corner of the available area and keeps the
// strip it takes there free of image windows placed from then on. Call before
// the window is first shown, so that its frame goes to the corner.
void DockAtRightEdge(QWidget& window);

}  // namespace lumagrove::shell
