#include "platform/qt/TopLevelWidget.h"

#include <algorithm>

#include <QCloseEvent>
#include <QMenuBar>

#include "platform/MessageQueue.h"
#include "platform/qt/MenuBuilder.h"
#include "platform/qt/ScreenPlacement.h"
#include "platform/qt/Text.h"
#include "platform/qt/Widgets.h"
#include "resources/Resources.h"

namespace lumagrove::platform::backend {

TopLevelWidget::TopLevelWidget(std::shared_ptr<WindowRecord> record) : record_(std::move(record)) {
    if (const resources::MenuTemplate* menu = resources::FindMenu(record_->menuResource)) {
        menuBar_ = new QMenuBar(this);
        AddMenuItems(menuBar_, menu->popups, [window = record_->handle](int command) {
            PostMessage(window, Msg::Command, CommandWord(command));
        });
        setMinimumWidth(menuWidth());
    }
    view_ = new ClientView(record_, this);
    setFocusProxy(view_);
    setWindowTitle(ToQt(record_->currentTitle()));
}

int TopLevelWidget::menuHeight() const { return menuBar_ != nullptr ? menuBar_->sizeHint().height() : 0; }

int TopLevelWidget::menuWidth() const { return menuBar_ != nullptr ? menuBar_->sizeHint().width() : 0; }

void TopLevelWidget::arrangeChildren() {
    // Placed by hand rather than by a layout: the view must be exactly the
    // size asked for at once, even while the window is hidden.
    const int bar = menuHeight();
    if (menuBar_ != nullptr) menuBar_->setGeometry(0, 0, width(), bar);
    view_->setGeometry(0, bar, width(), std::max(0, height() - bar));
}

void TopLevelWidget::place(std::optional<QPoint> position) {
    Size canvas;
    {
        std::lock_guard lock(record_->placementMutex);
        canvas = record_->clientSize;
    }
    const QRect area = PlacementArea();
    const QMargins frame = FrameMargins();
    // The menu bar as drawn, or as the nominal frame counts it if that is more.
    const int menuRoom = menuBar_ != nullptr ? std::max(menuHeight(), MenuBarHeight) : 0;
    const QSize room(area.width() - frame.left() - frame.right(),
                     area.height() - frame.top() - frame.bottom() - menuRoom);
    const ViewFit fit = FitView(QSize(canvas.width, canvas.height), room, menuWidth());
    const QSize outer(fit.view.width() + frame.left() + frame.right(),
                      fit.view.height() + menuRoom + frame.top() + frame.bottom());
    const QPoint at = position ? *position : NextCascadePosition(outer, area);
    resize(fit.view.width(), fit.view.height() + menuHeight());
    move(at);
    arrangeChildren();
    view_->showCanvas(QSize(canvas.width, canvas.height), fit.zoom);
    std::lock_guard lock(record_->placementMutex);
    record_->position = Point{at.x(), at.y()};
    record_->viewSize = Size{fit.view.width(), fit.view.height()};
}

void TopLevelWidget::resizeEvent(QResizeEvent*) {
    arrangeChildren();
    std::lock_guard lock(record_->placementMutex);
    record_->viewSize = Size{width(), std::max(0, height() - menuHeight())};
}

void TopLevelWidget::closeEvent(QCloseEvent* event) {
    // The window's procedure decides whether it closes.
    event->ignore();
    PostMessage(record_->handle, Msg::Close);
}

void TopLevelWidget::moveEvent(QMoveEvent*) {
    if (isVisible()) NoteFrameOf(*this);
    std::lock_guard lock(record_->placementMutex);
    record_->position = Point{x(), y()};
}

void CreateTopLevelWidget(const std::shared_ptr<WindowRecord>& record) {
    auto* widget = new TopLevelWidget(record);
    AddWidget(record->handle, widget);
    widget->place(std::nullopt);
}

}  // namespace lumagrove::platform::backend
