#include <QPainter>

#include "platform/Painting.h"
#include "platform/qt/MainThread.h"
#include "platform/qt/SurfaceImage.h"
#include "platform/qt/TopLevelWidget.h"
#include "platform/qt/Widgets.h"
#include "platform/qt/WindowRegistry.h"

namespace lumagrove::platform {

namespace {

// The back buffer follows the client area's size, keeping what was drawn.
void FitBackBuffer(backend::WindowRecord& record) {
    Size client;
    {
        std::lock_guard lock(record.placementMutex);
        client = record.clientSize;
    }
    if (record.backBuffer.width() == client.width && record.backBuffer.height() == client.height) return;
    QImage resized(std::max(client.width, 0), std::max(client.height, 0), QImage::Format_RGB32);
    resized.fill(Qt::white);
    if (!record.backBuffer.isNull()) {
        QPainter copy(&resized);
        copy.drawImage(QPoint(0, 0), record.backBuffer);
    }
    record.backBuffer = std::move(resized);
}

}  // namespace

struct PaintSession::State {
    std::shared_ptr<backend::WindowRecord> record;
    QPainter painter;
    QPoint current;
};

PaintSession::PaintSession(Window window) {
    auto record = backend::FindOwnWindowRecord(window);
    if (!record) return;
    record->invalid = false;
    FitBackBuffer(*record);
    state_ = std::make_unique<State>();
    state_->record = std::move(record);
    if (!state_->record->backBuffer.isNull()) state_->painter.begin(&state_->record->backBuffer);
}

PaintSession::~PaintSession() {
    if (!state_) return;
    if (state_->painter.isActive()) state_->painter.end();
    backend::WindowRecord& record = *state_->record;
    {
        std::lock_guard lock(record.presentedMutex);
        record.presented = record.backBuffer;
    }
    backend::RunOnMain([window = record.handle] {
        if (auto* widget = backend::WidgetAs<backend::TopLevelWidget>(window)) widget->canvas()->update();
    });
}

bool PaintSession::active() const {
    return state_ && state_->painter.isActive();
}

void PaintSession::copyFrom(const Surface& source, int x, int y, int width, int height, int sourceX, int sourceY) {
    if (!active()) return;
    state_->painter.setCompositionMode(QPainter::CompositionMode_Source);
    state_->painter.drawImage(QPoint(x, y), source.image().pixels, QRect(sourceX, sourceY, width, height));
    state_->painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void PaintSession::selectPen(const Pen& pen) {
    if (!active()) return;
    state_->painter.setPen(QPen(QColor(pen.color.red, pen.color.green, pen.color.blue), std::max(pen.width, 1),
                                Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
}

void PaintSession::moveTo(int x, int y) {
    if (state_) state_->current = QPoint(x, y);
}

// Like the classic drawing call, a line stops one pixel short of its end
// point, so a line to where it starts draws nothing and closed outlines do not
// draw their corners twice.
void PaintSession::lineTo(int x, int y) {
    if (!active()) return;
    const QPoint from = state_->current;
    const QPoint to(x, y);
    state_->current = to;
    if (from == to) return;
    const QImage& buffer = state_->record->backBuffer;
    const bool endInside = buffer.valid(to);
    const QRgb underEnd = endInside ? buffer.pixel(to) : 0;
    state_->painter.drawLine(from, to);
    if (endInside) {
        const QPen pen = state_->painter.pen();
        state_->painter.setPen(QPen(QColor(underEnd), 1));
        state_->painter.drawPoint(to);
        state_->painter.setPen(pen);
    }
}

}  // namespace lumagrove::platform
