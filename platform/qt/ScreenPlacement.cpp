#include "platform/qt/ScreenPlacement.h"

#include <algorithm>
#include <cmath>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "platform/Window.h"

namespace lumagrove::platform::backend {

namespace {

// How far each window of a cascade is from the one before.
constexpr int kCascadeStep = 26;

QMargins seenFrame;
int dockedStripWidth = 0;
int cascadeIndex = 0;

QRect AvailableArea() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 800, 600);
}

}  // namespace

QMargins FrameMargins() {
    const QMargins nominal(FrameBorder, FrameBorder + CaptionHeight, FrameBorder, FrameBorder);
    return QMargins(std::max(nominal.left(), seenFrame.left()), std::max(nominal.top(), seenFrame.top()),
                    std::max(nominal.right(), seenFrame.right()), std::max(nominal.bottom(), seenFrame.bottom()));
}

void NoteFrameOf(const QWidget& window) {
    const QRect outer = window.frameGeometry();
    const QRect inner = window.geometry();
    seenFrame = QMargins(std::max(seenFrame.left(), inner.left() - outer.left()),
                         std::max(seenFrame.top(), inner.top() - outer.top()),
                         std::max(seenFrame.right(), outer.right() - inner.right()),
                         std::max(seenFrame.bottom(), outer.bottom() - inner.bottom()));
}

QRect PlacementArea() {
    QRect area = AvailableArea();
    area.setRight(area.right() - dockedStripWidth);
    return area;
}

ViewFit FitView(QSize canvas, QSize room, int leastWidth) {
    ViewFit fit{canvas, 1.0};
    if (canvas.width() > room.width() || canvas.height() > room.height()) {
        const double across = static_cast<double>(std::max(room.width(), 1)) / std::max(canvas.width(), 1);
        const double down = static_cast<double>(std::max(room.height(), 1)) / std::max(canvas.height(), 1);
        fit.zoom = std::max(std::min(across, down), kSmallestZoom);
        fit.view = QSize(std::min(static_cast<int>(std::ceil(canvas.width() * fit.zoom - 1e-6)), room.width()),
                         std::min(static_cast<int>(std::ceil(canvas.height() * fit.zoom - 1e-6)), room.height()));
    }
    fit.view.setWidth(std::max(fit.view.width(), leastWidth));
    return fit;
}

QPoint NextCascadePosition(QSize outer, const QRect& area) {
    QPoint at = area.topLeft() + QPoint(kCascadeStep, kCascadeStep) * cascadeIndex;
    if (cascadeIndex > 0 &&
        (at.x() + outer.width() > area.right() + 1 || at.y() + outer.height() > area.bottom() + 1)) {
        cascadeIndex = 0;
        at = area.topLeft();
    }
    ++cascadeIndex;
    return at;
}

void DockAtRightEdge(QWidget& window) {
    const QRect available = AvailableArea();
    const QMargins frame = FrameMargins();
    const int outerWidth = window.width() + frame.left() + frame.right();
    window.move(available.right() + 1 - outerWidth, available.top());
    dockedStripWidth = outerWidth;
}

}  // namespace lumagrove::platform::backend
