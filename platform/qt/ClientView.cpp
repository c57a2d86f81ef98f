#include "platform/qt/ClientView.h"

#include <algorithm>
#include <array>
#include <cmath>

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include "platform/MessageQueue.h"
#include "platform/qt/ScreenPlacement.h"

namespace lumagrove::platform::backend {

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

ClientView::ClientView(std::shared_ptr<WindowRecord> record, QWidget* parent)
    : QAbstractScrollArea(parent), record_(std::move(record)) {
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    horizontalScrollBar()->setSingleStep(kScrollLine);
    verticalScrollBar()->setSingleStep(kScrollLine);
}

void ClientView::showCanvas(QSize canvas, double zoom) {
    canvas_ = canvas;
    zoom_ = ClampedZoom(zoom);
    updateScrollBars();
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    viewport()->update();
}

QPoint ClientView::scrollPosition() const {
    return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

ViewPlacement ClientView::placement() const { return ViewPlacement{zoom_, scrollPosition()}; }

void ClientView::updateScrollBars() {
    const QSize shown(static_cast<int>(std::ceil(canvas_.width() * zoom_)),
                      static_cast<int>(std::ceil(canvas_.height() * zoom_)));
    // Without scroll bars when all of it fits the view as a whole: the
    // view may still be the size it had with them.
    QSize port = viewport()->size();
    const QSize most = maximumViewportSize();
    if (shown.width() <= most.width() && shown.height() <= most.height()) port = most;
    horizontalScrollBar()->setRange(0, std::max(0, shown.width() - port.width()));
    horizontalScrollBar()->setPageStep(port.width());
    verticalScrollBar()->setRange(0, std::max(0, shown.height() - port.height()));
    verticalScrollBar()->setPageStep(port.height());
}

void ClientView::zoomTo(double zoom, QPointF anchor) {
    zoom = ClampedZoom(zoom);
    if (zoom == zoom_) return;
    const QPointF client = (anchor + QPointF(scrollPosition())) / zoom_;
    zoom_ = zoom;
    updateScrollBars();
    horizontalScrollBar()->setValue(static_cast<int>(std::lround(client.x() * zoom - anchor.x())));
    verticalScrollBar()->setValue(static_cast<int>(std::lround(client.y() * zoom - anchor.y())));
    viewport()->update();
}

void ClientView::zoomToFit() {
    const QSize room = maximumViewportSize();
    const double across = static_cast<double>(room.width()) / std::max(canvas_.width(), 1);
    const double down = static_cast<double>(room.height()) / std::max(canvas_.height(), 1);
    zoomTo(std::min(across, down), QPointF(0, 0));
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

// The middle of what the view shows of the client area.
QPointF ClientView::zoomAnchor() const {
    const QPoint scroll = scrollPosition();
    const double shownWidth = std::min<double>(viewport()->width(), canvas_.width() * zoom_ - scroll.x());
    const double shownHeight = std::min<double>(viewport()->height(), canvas_.height() * zoom_ - scroll.y());
    return QPointF(std::max(shownWidth, 0.0) / 2, std::max(shownHeight, 0.0) / 2);
}

void ClientView::showNewScene() {
    std::shared_ptr<const Scene> next;
    {
        std::lock_guard lock(record_->presentedMutex);
        next = record_->presented;
    }
    if (next == scene_) return;
    const std::shared_ptr<const Scene> previous = std::exchange(scene_, next);
    if (!previous || !next || !SamePictures(*previous, *next)) {
        viewport()->update();
        return;
    }
    // Only the lines moved, as while the user drags out a selection: repaint
    // just where they were and where they are now.
    QRegion changed;
    for (const Scene* scene : {previous.get(), next.get()}) {
        for (const SceneLine& line : scene->lines) changed += LineBounds(line, placement());
    }
    viewport()->update(changed);
}

void ClientView::paintEvent(QPaintEvent* event) {
    static const Scene nothing;
    const Scene& scene = scene_ ? *scene_ : nothing;
    QPainter painter(viewport());
    for (const QRect& area : event->region()) PaintScene(painter, scene, placement(), area);
}

void ClientView::resizeEvent(QResizeEvent*) { updateScrollBars(); }

void ClientView::scrollContentsBy(int dx, int dy) { viewport()->scroll(dx, dy); }

void ClientView::wheelEvent(QWheelEvent* event) {
    if ((event->modifiers() & Qt::ControlModifier) == 0) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    // High-resolution wheels send parts of a notch; a step needs a whole one.
    wheelRemainder_ += event->angleDelta().y();
    double zoom = zoom_;
    for (; wheelRemainder_ >= kWheelNotch; wheelRemainder_ -= kWheelNotch) zoom = NextZoomStep(zoom, true);
    for (; wheelRemainder_ <= -kWheelNotch; wheelRemainder_ += kWheelNotch) zoom = NextZoomStep(zoom, false);
    zoomTo(zoom, event->position());
    event->accept();
}

void ClientView::keyPressEvent(QKeyEvent* event) {
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

QPoint ClientView::clientPoint(QPointF viewPoint) const {
    const QPointF at = (viewPoint + QPointF(scrollPosition())) / zoom_;
    return QPoint(std::clamp(static_cast<int>(std::floor(at.x())), 0, canvas_.width()),
                  std::clamp(static_cast<int>(std::floor(at.y())), 0, canvas_.height()));
}

void ClientView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    dragging_ = true;
    const QPoint at = clientPoint(event->position());
    PostMessage(record_->handle, Msg::LeftDown, 0, PackPoint(at.x(), at.y()));
}

void ClientView::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_ || (event->buttons() & Qt::LeftButton) == 0) return;
    const QPoint at = clientPoint(event->position());
    PostMessage(record_->handle, Msg::MouseMove, LeftButtonHeld, PackPoint(at.x(), at.y()));
}

void ClientView::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = clientPoint(event->position());
    // The toolkit keeps delivering to the widget that saw the press; a button
    // released outside the window is none of its business, but a drag that
    // ends there is over.
    const bool inside = viewport()->rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton) {
        const bool wasDragging = std::exchange(dragging_, false);
        if (inside) {
            PostMessage(record_->handle, Msg::LeftUp, 0, PackPoint(at.x(), at.y()));
        } else if (wasDragging) {
            PostMessage(record_->handle, Msg::MouseMove, 0, PackPoint(at.x(), at.y()));
        }
    } else if (event->button() == Qt::RightButton && inside) {
        PostMessage(record_->handle, Msg::RightUp, 0, PackPoint(at.x(), at.y()));
    }
}

}  // namespace lumagrove::platform::backend
