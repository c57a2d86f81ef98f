#include <algorithm>
#include <cstdlib>

#include "platform/Painting.h"
#include "platform/qt/MainThread.h"
#include "platform/qt/Scene.h"
#include "platform/qt/SurfaceImage.h"
#include "platform/qt/TopLevelWidget.h"
#include "platform/qt/Widgets.h"
#include "platform/qt/WindowRegistry.h"

namespace lumagrove::platform {

struct PaintSession::State {
    std::shared_ptr<backend::WindowRecord> record;
    backend::Scene scene;
    Pen pen;
    Point current;
};

PaintSession::PaintSession(Window window) {
    auto record = backend::FindOwnWindowRecord(window);
    if (!record) return;
    record->invalid = false;
    state_ = std::make_unique<State>();
    state_->record = std::move(record);
}

PaintSession::~PaintSession() {
    if (!state_) return;
    backend::WindowRecord& record = *state_->record;
    {
        std::lock_guard lock(record.presentedMutex);
        record.presented = std::make_shared<const backend::Scene>(std::move(state_->scene));
    }
    backend::RunOnMain([window = record.handle] {
        if (auto* widget = backend::WidgetAs<backend::TopLevelWidget>(window)) widget->view()->showNewScene();
    });
}

bool PaintSession::active() const { return state_ != nullptr; }

void PaintSession::copyFrom(const Surface& source, int x, int y, int width, int height, int sourceX, int sourceY) {
    if (!active()) return;
    // Only the part of the surface that exists is shown.
    const QRect wanted(sourceX, sourceY, width, height);
    const QRect shown = wanted.intersected(source.image().pixels.rect());
    if (shown.isEmpty()) return;
    const QPoint at = QPoint(x, y) + (shown.topLeft() - wanted.topLeft());
    state_->scene.pictures.push_back(backend::ScenePicture{source.image().pixels, source.image().reduced(),
                                                           QRect(at, shown.size()), shown.topLeft()});
}

void PaintSession::selectPen(const Pen& pen) {
    if (active()) state_->pen = pen;
}

void PaintSession::moveTo(int x, int y) {
    if (active()) state_->current = Point{x, y};
}

// Like the classic drawing call, a line stops one pixel short of its end
// point, so a line to where it starts draws nothing and closed outlines do not
// draw their corners twice.
void PaintSession::lineTo(int x, int y) {
    if (!active()) return;
    const Point from = state_->current;
    state_->current = Point{x, y};
    const int dx = x - from.x;
    const int dy = y - from.y;
    const int steps = std::max(std::abs(dx), std::abs(dy));
    if (steps == 0) return;
    // The pixel one step before the end along the line.
    const auto before = [steps](int start, int delta) {
        const long long scaled = static_cast<long long>(delta) * (steps - 1);
        return start + static_cast<int>((2 * scaled + (scaled < 0 ? -steps : steps)) / (2 * steps));
    };
    const Pen& pen = state_->pen;
    state_->scene.lines.push_back(
        backend::SceneLine{QPoint(from.x, from.y), QPoint(before(from.x, dx), before(from.y, dy)),
                           QColor(pen.color.red, pen.color.green, pen.color.blue), std::max(pen.width, 1)});
}

}  // namespace lumagrove::platform
