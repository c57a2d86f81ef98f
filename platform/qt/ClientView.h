#pragma once

#include <memory>

#include <QAbstractScrollArea>

#include "platform/qt/Scene.h"
#include "platform/qt/WindowRecord.h"

namespace lumagrove::platform::backend {

// The zoom steps of the keys and the wheel: powers of two and one and a half
// times them, from kSmallestZoom to kLargestZoom.
double NextZoomStep(double zoom, bool larger);

// The client area on screen: shows what the window's thread last painted at
// the user's zoom and scroll position, and reports the mouse to that thread
// in client pixels. All of it runs on the main thread, so zooming and
// scrolling never wait for the window's thread, however busy.
class ClientView : public QAbstractScrollArea {
public:
    ClientView(std::shared_ptr<WindowRecord> record, QWidget* parent);

    // The client area's size, in client pixels, and the zoom to show it at.
    void showCanvas(QSize canvas, double zoom);
    double zoom() const { return zoom_; }
    QPoint scrollPosition() const;

    // Zooms keeping the client point under `anchor` (in the view) in place.
    void zoomTo(double zoom, QPointF anchor);
    // The largest zoom at which the whole client area fits the view.
    void zoomToFit();

    // Takes what the window's thread has just painted and repaints what changed.
    void showNewScene();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    ViewPlacement placement() const;
    void updateScrollBars();
    // The client pixel under a point of the view, kept within the client area.
    QPoint clientPoint(QPointF viewPoint) const;
    QPointF zoomAnchor() const;

    std::shared_ptr<WindowRecord> record_;
    QSize canvas_;
    double zoom_ = 1.0;
    std::shared_ptr<const Scene> scene_;
    int wheelRemainder_ = 0;
    bool dragging_ = false;
};

}  // namespace lumagrove::platform::backend
