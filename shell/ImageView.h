#pragma once

#include <memory>
#include <optional>

#include <QAbstractScrollArea>

#include "shell/ImagePainting.h"

namespace lumagrove::shell {

// The zoom steps of the keys and the wheel: powers of two and one and a half
// times them, from kSmallestZoom to kLargestZoom.
double NextZoomStep(double zoom, bool larger);

// An image window's view of its image, at the user's zoom and scroll
// position, with the selection's outline. The user drags out the selection
// with the left button; its corners are the image pixels pointed at, kept
// within the image (its right and bottom edges included). All of it runs on
// the GUI thread, so zooming and scrolling never wait for the window's
// thread, however busy.
class ImageView : public QAbstractScrollArea {
    Q_OBJECT

public:
    ImageView(QSize imageSize, QWidget* parent);

    // What to show; white until then.
    void showImage(std::shared_ptr<const ShownImage> image);
    // Shows the image at `zoom` from its top left.
    void startAt(double zoom);
    double zoom() const { return zoom_; }
    QSize imageSize() const { return imageSize_; }
    QPoint scrollPosition() const;
    // Zooms keeping the image point under `anchor` (in the view) in place.
    void zoomTo(double zoom, QPointF anchor);
    // The largest zoom at which the whole image fits the view.
    void zoomToFit();

    QPoint selectionFrom() const { return from_; }
    QPoint selectionTo() const { return to_; }

signals:
    // The left button was released: the selection's corners in image pixels.
    void selectionMade(QPoint from, QPoint to);
    void contextMenuAsked(QPoint globalPosition);
    // The mouse points at this image pixel, whose level is `value` (-1 off
    // the image, or before it has been shown).
    void pointedAt(QPoint pixel, int value);
    void zoomChanged(double zoom);

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
    // The image pixel under a point of the view, anywhere; and kept within
    // the image.
    QPoint pixelUnder(QPointF viewPoint) const;
    QPoint imagePoint(QPointF viewPoint) const;
    QPointF zoomAnchor() const;
    void moveOutlineTo(QPoint to);

    QSize imageSize_;
    double zoom_ = 1.0;
    std::shared_ptr<const ShownImage> image_;
    QPoint from_;
    QPoint to_;
    bool dragging_ = false;
    QPoint wheelRemainder_;
};

}  // namespace lumagrove::shell
