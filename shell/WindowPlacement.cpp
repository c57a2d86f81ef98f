#include "shell/WindowPlacement.h"

#include <algorithm>
#include <cmath>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace lumagrove::shell {

namespace {

QMargins seenFrame;
int dockedStripWidth = 0;
int cascadeSlot = 0;
int cascadeRound = 0;

QRect AvailableArea() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 800, 600);
}

bool Fits(QPoint at, QSize outer, const QRect& area) {
    return at.x() + outer.width() <= area.right() + 1 && at.y() + outer.height() <= area.bottom() + 1;
}

}  // namespace

QMargins FrameMargins() {
    const QMargins assumed(kFrameBorder, kFrameBorder + kCaptionHeight, kFrameBorder, kFrameBorder);
    return QMargins(std::max(assumed.left(), seenFrame.left()), std::max(assumed.top(), seenFrame.top()),
                    std::max(assumed.right(), seenFrame.right()), std::max(assumed.bottom(), seenFrame.bottom()));
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

ViewFit FitView(QSize image, QSize room, QSize least) {
    ViewFit fit{image, 1.0};
    if (image.width() > room.width() || image.height() > room.height()) {
        const double across = static_cast<double>(std::max(room.width(), 1)) / std::max(image.width(), 1);
        const double down = static_cast<double>(std::max(room.height(), 1)) / std::max(image.height(), 1);
        fit.zoom = std::max(std::min(across, down), kSmallestZoom);
        fit.view = QSize(std::min(static_cast<int>(std::ceil(image.width() * fit.zoom - 1e-6)), room.width()),
                         std::min(static_cast<int>(std::ceil(image.height() * fit.zoom - 1e-6)), room.height()));
    }
    fit.view = fit.view.expandedTo(least);
    return fit;
}

QPoint NextCascadePosition(QSize outer, const QRect& area) {
    const auto slotAt = [&] {
        return area.topLeft() + QPoint(kCascadeStep * (cascadeSlot + cascadeRound), kCascadeStep * cascadeSlot);
    };
    if (cascadeSlot > 0 && !Fits(slotAt(), outer, area)) {
        cascadeSlot = 0;
        ++cascadeRound;
    }
    if (!Fits(slotAt(), outer, area)) {
        cascadeSlot = 0;
        cascadeRound = 0;
    }
    const QPoint at = slotAt();
    ++cascadeSlot;
    return at;
}

void DockAtRightEdge(QWidget& window) {
    const QRect available = AvailableArea();
    const QMargins frame = FrameMargins();
    const int outerWidth = window.width() + frame.left() + frame.right();
    window.move(available.right() + 1 - outerWidth, available.top());
    dockedStripWidth = outerWidth;
}

}  // namespace lumagrove::shell
