#include "platform/qt/TopLevelWidget.h"

#include <algorithm>

#include <QCloseEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>

#include "platform/MessageQueue.h"
#include "platform/qt/MenuBuilder.h"
#include "platform/qt/Text.h"
#include "platform/qt/ThreadQueue.h"
#include "platform/qt/Widgets.h"
#include "resources/Resources.h"

namespace lumagrove::platform::backend {

ClientCanvas::ClientCanvas(std::shared_ptr<WindowRecord> record, QWidget* parent)
    : QWidget(parent), record_(std::move(record)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ClientCanvas::paintEvent(QPaintEvent*) {
    QImage frame;
    {
        std::lock_guard lock(record_->presentedMutex);
        frame = record_->presented;
    }
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.drawImage(QPoint(0, 0), frame);
}

void ClientCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    PostMessage(record_->handle, Msg::LeftDown, 0, PackPoint(at.x(), at.y()));
}

void ClientCanvas::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    // The toolkit keeps delivering to the widget that saw the press; a button
    // released outside the window is none of its business.
    if (!rect().contains(at)) return;
    if (event->button() == Qt::LeftButton) {
        PostMessage(record_->handle, Msg::LeftUp, 0, PackPoint(at.x(), at.y()));
    } else if (event->button() == Qt::RightButton) {
        PostMessage(record_->handle, Msg::RightUp, 0, PackPoint(at.x(), at.y()));
    }
}

void ClientCanvas::resizeEvent(QResizeEvent*) {
    // Sizes the program asked for are in the record already and were
    // invalidated then; only what the user did is news.
    if (record_->placementsPending.load() != 0) return;
    const Size now{width(), height()};
    {
        std::lock_guard lock(record_->placementMutex);
        if (record_->clientSize == now) return;
        record_->clientSize = now;
    }
    record_->invalid = true;
    record_->queue->wake();
}

TopLevelWidget::TopLevelWidget(std::shared_ptr<WindowRecord> record) : record_(std::move(record)) {
    if (const resources::MenuTemplate* menu = resources::FindMenu(record_->menuResource)) {
        menuBar_ = new QMenuBar(this);
        AddMenuItems(menuBar_, menu->popups, [window = record_->handle](int command) {
            PostMessage(window, Msg::Command, CommandWord(command));
        });
    }
    canvas_ = new ClientCanvas(record_, this);
    setWindowTitle(ToQt(record_->currentTitle()));
    applyPlacement(record_->outerFrame());
}

int TopLevelWidget::menuHeight() const {
    return menuBar_ != nullptr ? menuBar_->sizeHint().height() : 0;
}

void TopLevelWidget::arrangeChildren() {
    // Placed by hand rather than by a layout: the client area must be
    // exactly the size asked for at once, even while the window is hidden,
    // and a menu bar wider than a small image must not widen the window.
    const int bar = menuHeight();
    if (menuBar_ != nullptr) menuBar_->setGeometry(0, 0, width(), bar);
    canvas_->setGeometry(0, bar, width(), std::max(0, height() - bar));
}

void TopLevelWidget::applyPlacement(const Rect& frame) {
    const Size extra = record_->frameExtra();
    move(frame.x, frame.y);
    resize(std::max(0, frame.width - extra.width), std::max(0, frame.height - extra.height) + menuHeight());
    arrangeChildren();
}

void TopLevelWidget::resizeEvent(QResizeEvent*) {
    arrangeChildren();
}

void TopLevelWidget::closeEvent(QCloseEvent* event) {
    // The window's procedure decides whether it closes.
    event->ignore();
    PostMessage(record_->handle, Msg::Close);
}

void TopLevelWidget::moveEvent(QMoveEvent*) {
    if (record_->placementsPending.load() != 0) return;
    std::lock_guard lock(record_->placementMutex);
    record_->position = Point{x(), y()};
}

void CreateTopLevelWidget(const std::shared_ptr<WindowRecord>& record) {
    AddWidget(record->handle, new TopLevelWidget(record));
}

}  // namespace lumagrove::platform::backend
