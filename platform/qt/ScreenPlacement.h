#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Where windows go on the screen. Main thread only.
namespace lumagrove::platform::backend {

// The largest zoom a view offers, and the smallest.
inline constexpr double kLargestZoom = 32.0;
inline constexpr double kSmallestZoom = 1.0 / 256.0;

// The part of the screen that windows are placed in: the primary screen's
// available area, less the strip a docked window keeps for itself.
QRect PlacementArea();

// What the window manager draws around a window's widget: the nominal frame,
// or more where a real frame was seen to be larger.
QMargins FrameMargins();
// Takes note of the real frame around a shown window.
void NoteFrameOf(const QWidget& window);

// How a client area of `canvas` pixels is shown when the screen leaves
// `room` for the view: at its own size when it fits, otherwise reduced until
// it fits (but never below kSmallestZoom, and then the view fills the room).
// The view is never narrower than `leastWidth`.
struct ViewFit {
    QSize view;
    double zoom = 1.0;
};
ViewFit FitView(QSize canvas, QSize room, int leastWidth);

// Where the next window goes: windows cascade from the top left of `area`,
// and start over there before one would leave it.
QPoint NextCascadePosition(QSize outer, const QRect& area);

// Moves a window to the top right corner of the available area and keeps
// the strip it takes there free of other windows placed from now on. The
// window's frame goes to the corner when it has not been shown yet; once
// shown, the toolkit places the inside of a window whose frame it does not
// know yet.
void DockAtRightEdge(QWidget& window);

}  // namespace lumagrove::platform::backend
