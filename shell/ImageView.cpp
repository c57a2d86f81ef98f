#include "shell/ImageView.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include "shell/WindowPlacement.h"

namespace lumagrove::shell {

namespace {

constexpr int kWheelNotch = 120;
constexpr int kScrollLine = 20;

// 1/256, 3/512, 1/128, ... 1, 1.5, 2, 3, 4, ... 24, 32.
std::vector<double> ZoomSteps() {
    std::vector<double> steps;
    for (int power = -8; power <= 5; ++power) {
        const double step = std::ldexp(1.0, power);
        steps.push_back(step);
        if (step * 1.5 < kLargestZoom) steps.push_back(step * 1.5);
    }
    return steps;
}

double ClampedZoom(double zoom) { return std::clamp(zoom, kSmallestZoom, kLargestZoom); }

}  // namespace

double NextZoomStep(double zoom, bool larger) {
    static const std::vector<double> steps = ZoomSteps();
    // A zoom that only misses a step by rounding counts as on it.
    constexpr double kSlack = 1e-6;
    if (larger) {
        const auto next =
            std::find_if(steps.begin(), steps.end(), [&](double step) { return step > zoom * (1 + kSlack); });
        return next == steps.end() ? kLargestZoom : *next;
    }
    const auto next =
        std::find_if(steps.rbegin(), steps.rend(), [&](double step) { return step < zoom * (1 - kSlack); });
    return next == steps.rend() ? kSmallestZoom : *next;
}

ImageView::ImageView(QSize imageSize, QWidget* parent) : QAbstractScrollArea(parent), imageSize_(imageSize) {
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(true);
    horizontalScrollBar()->setSingleStep(kScrollLine);
    verticalScrollBar()->setSingleStep(kScrollLine);
}

void ImageView::showImage(std::shared_ptr<const ShownImage> image) {
    image_ = std::move(image);
    viewport()->update();
}

void ImageView::startAt(double zoom) {
    zoom_ = ClampedZoom(zoom);
    updateScrollBars();
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    viewport()->update();
    emit zoomChanged(zoom_);
}

QPoint ImageView::scrollPosition() const {
    return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

ViewPlacement ImageView::placement() const { return ViewPlacement{zoom_, scrollPosition()}; }

void ImageView::updateScrollBars() {
    const QSize shown(static_cast<int>(std::ceil(imageSize_.width() * zoom_)),
                      static_cast<int>(std::ceil(imageSize_.height() * zoom_)));
    // Without scroll bars when all of it fits the view as a whole: the view
    // may still be the size it had with them.
    QSize port = viewport()->size();
    const QSize most = maximumViewportSize();
    if (shown.width() <= most.width() && shown.height() <= most.height()) port = most;
    horizontalScrollBar()->setRange(0, std::max(0, shown.width() - port.width()));
    horizontalScrollBar()->setPageStep(port.width());
    verticalScrollBar()->setRange(0, std::max(0, shown.height() - port.height()));
    verticalScrollBar()->setPageStep(port.height());
}

void ImageView::zoomTo(double zoom, QPointF anchor) {
    zoom = ClampedZoom(zoom);
    if (zoom == zoom_) return;
    const QPointF at = (anchor + QPointF(scrollPosition())) / zoom_;
    zoom_ = zoom;
    updateScrollBars();
    horizontalScrollBar()->setValue(static_cast<int>(std::lround(at.x() * zoom - anchor.x())));
    verticalScrollBar()->setValue(static_cast<int>(std::lround(at.y() * zoom - anchor.y())));
    viewport()->update();
    emit zoomChanged(zoom_);
}

void ImageView::zoomToFit() {
    const QSize room = maximumViewportSize();
    const double across = static_cast<double>(room.width()) / std::max(imageSize_.width(), 1);
    const double down = static_cast<double>(room.height()) / std::max(imageSize_.height(), 1);
    zoomTo(std::min(across, down), QPointF(0, 0));
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

// The middle of what the view shows of the image.
QPointF ImageView::zoomAnchor() const {
    const QPoint scroll = scrollPosition();
    const double shownWidth = std::min<double>(viewport()->width(), imageSize_.width() * zoom_ - scroll.x());
    const double shownHeight = std::min<double>(viewport()->height(), imageSize_.height() * zoom_ - scroll.y());
    return QPointF(std::max(shownWidth, 0.0) / 2, std::max(shownHeight, 0.0) / 2);
}

void ImageView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const ViewPlacement view = placement();
    for (const QRect& area : event->region()) {
        if (image_) {
            PaintImage(painter, *image_, view, area);
        } else {
            painter.fillRect(area, Qt::white);
        }
    }
    PaintOutline(painter, from_, to_, view);
}

void ImageView::resizeEvent(QResizeEvent*) { updateScrollBars(); }

void ImageView::scrollContentsBy(int dx, int dy) { viewport()->scroll(dx, dy); }

void ImageView::wheelEvent(QWheelEvent* event) {
    // High-resolution wheels send parts of a notch; a step needs a whole one.
    wheelRemainder_ += event->angleDelta();
    const int notches = wheelRemainder_.y() / kWheelNotch;
    if ((event->modifiers() & Qt::ControlModifier) != 0) {
        double zoom = zoom_;
        for (int step = 0; step < std::abs(notches); ++step) zoom = NextZoomStep(zoom, notches > 0);
        zoomTo(zoom, event->position());
    } else {
        // Shift turns the wheel's turn sideways, as everywhere else.
        const bool sideways = (event->modifiers() & Qt::ShiftModifier) != 0;
        const int across = sideways ? notches : wheelRemainder_.x() / kWheelNotch;
        const int down = sideways ? 0 : notches;
        const int lines = QApplication::wheelScrollLines();
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() - across * lines * kScrollLine);
        verticalScrollBar()->setValue(verticalScrollBar()->value() - down * lines * kScrollLine);
        if (!sideways) wheelRemainder_.setX(wheelRemainder_.x() % kWheelNotch);
    }
    wheelRemainder_.setY(wheelRemainder_.y() % kWheelNotch);
    event->accept();
}

void ImageView::keyPressEvent(QKeyEvent* event) {
    if ((event->modifiers() & Qt::ControlModifier) != 0) {
        switch (event->key()) {
            case Qt::Key_Plus:
            case Qt::Key_Equal: zoomTo(NextZoomStep(zoom_, true), zoomAnchor()); return;
            case Qt::Key_Minus: zoomTo(NextZoomStep(zoom_, false), zoomAnchor()); return;
            case Qt::Key_0: zoomToFit(); return;
            case Qt::Key_1: zoomTo(1.0, zoomAnchor()); return;
            default: break;
        }
    }
    QAbstractScrollArea::keyPressEvent(event);
}

QPoint ImageView::pixelUnder(QPointF viewPoint) const {
    const QPointF at = (viewPoint + QPointF(scrollPosition())) / zoom_;
    return QPoint(static_cast<int>(std::floor(at.x())), static_cast<int>(std::floor(at.y())));
}

QPoint ImageView::imagePoint(QPointF viewPoint) const {
    const QPoint pixel = pixelUnder(viewPoint);
    return QPoint(std::clamp(pixel.x(), 0, imageSize_.width()), std::clamp(pixel.y(), 0, imageSize_.height()));
}

void ImageView::moveOutlineTo(QPoint to) {
    const ViewPlacement view = placement();
    viewport()->update(OutlineBounds(from_, to_, view));
    to_ = to;
    viewport()->update(OutlineBounds(from_, to_, view));
}

void ImageView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    dragging_ = true;
    const ViewPlacement view = placement();
    viewport()->update(OutlineBounds(from_, to_, view));
    from_ = imagePoint(event->position());
    moveOutlineTo(from_);
}

// Qt keeps sending the mouse to the view while a button is held, wherever
// the mouse goes: a drag that leaves the window follows it to the image's
// edge and ends there.
void ImageView::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_ && (event->buttons() & Qt::LeftButton) != 0) moveOutlineTo(imagePoint(event->position()));
    const QPoint pixel = pixelUnder(event->position());
    const bool onImage = image_ && image_->pixels.rect().contains(pixel);
    emit pointedAt(pixel, onImage ? image_->pixels.constScanLine(pixel.y())[pixel.x()] : -1);
}

void ImageView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && dragging_) {
        dragging_ = false;
        moveOutlineTo(imagePoint(event->position()));
        emit selectionMade(from_, to_);
    } else if (event->button() == Qt::RightButton && viewport()->rect().contains(event->position().toPoint())) {
        emit contextMenuAsked(event->globalPosition().toPoint());
    }
}

}  // namespace lumagrove::shell
