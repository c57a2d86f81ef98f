#include "platform/TestHooks.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QUrl>
#include <QWheelEvent>

#include "platform/qt/DialogWidget.h"
#include "platform/qt/MenuBuilder.h"
#include "platform/qt/Text.h"
#include "platform/qt/ThreadQueue.h"
#include "platform/qt/TopLevelWidget.h"
#include "platform/qt/Widgets.h"
#include "platform/qt/WindowRegistry.h"

namespace lumagrove::platform::testing {

using backend::DialogWidget;
using backend::TopLevelWidget;

namespace {

// Lets tasks that other threads queued for the main thread run first, so
// what the tests look at is up to date.
void CatchUp() { QCoreApplication::processEvents(); }

template <typename Item>
Item* ItemOf(Window dialog, int itemId) {
    CatchUp();
    auto* widget = backend::WidgetAs<DialogWidget>(dialog);
    return widget == nullptr ? nullptr : qobject_cast<Item*>(widget->itemWidget(itemId));
}

PresentedImage Presented(const QImage& grabbed) {
    const QImage image = grabbed.convertToFormat(QImage::Format_RGB32);
    PresentedImage presented;
    presented.width = image.width();
    presented.height = image.height();
    presented.pixels.reserve(static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(image.height()));
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        presented.pixels.insert(presented.pixels.end(), row, row + image.width());
    }
    return presented;
}

std::optional<WindowSnapshot> SnapshotOf(Window window, QWidget* widget) {
    const auto record = backend::FindWindowRecord(window);
    if (!record) return std::nullopt;
    WindowSnapshot snapshot;
    snapshot.window = window;
    snapshot.isDialog = record->isDialog();
    snapshot.visible = widget->isVisible();
    snapshot.title = backend::FromQt(widget->windowTitle());
    QWidget* view = widget;
    QWidget* client = widget;
    if (auto* topLevel = dynamic_cast<TopLevelWidget*>(widget)) {
        view = topLevel->view();
        client = topLevel->view()->viewport();
        snapshot.zoom = topLevel->view()->zoom();
        const QPoint scroll = topLevel->view()->scrollPosition();
        snapshot.scroll = Point{scroll.x(), scroll.y()};
    }
    snapshot.clientSize = Size{client->width(), client->height()};
    const Size extra = record->frameExtra();
    snapshot.outerSize = Size{view->width() + extra.width, view->height() + extra.height};
    snapshot.presented = Presented(client->grab().toImage());
    return snapshot;
}

}  // namespace

bool RunMainLoopUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto queue = backend::ThreadQueue::Current();
    const auto deadline = backend::Clock::now() + timeout;
    for (;;) {
        const std::uint64_t seen = queue->generation();
        queue->serveSentMessages();
        while (auto message = queue->takePosted()) backend::DeliverOnOwnThread(*message);
        while (auto paint = queue->takePaint()) backend::DeliverOnOwnThread(*paint);
        if (done()) return true;
        const auto now = backend::Clock::now();
        if (now >= deadline) return false;
        // Conditions on other threads' state signal nothing here: look again soon.
        queue->waitForChange(seen, std::min(deadline, now + std::chrono::milliseconds(10)), backend::UserInput::Accept);
    }
}

std::vector<WindowSnapshot> TopLevelWindows() {
    CatchUp();
    std::vector<WindowSnapshot> snapshots;
    for (const auto& [window, widget] : backend::AllWidgets()) {
        if (auto snapshot = SnapshotOf(window, widget)) snapshots.push_back(std::move(*snapshot));
    }
    return snapshots;
}

std::optional<WindowSnapshot> Snapshot(Window window) {
    CatchUp();
    QWidget* widget = backend::WidgetOf(window);
    return widget == nullptr ? std::nullopt : SnapshotOf(window, widget);
}

std::vector<Window> OpenDialogs() {
    CatchUp();
    std::vector<Window> dialogs;
    for (const auto& [window, widget] : backend::AllWidgets()) {
        if (dynamic_cast<DialogWidget*>(widget) != nullptr && widget->isVisible()) dialogs.push_back(window);
    }
    return dialogs;
}

bool TypeIntoItem(Window dialog, int itemId, std::string_view text) {
    CatchUp();
    auto* widget = backend::WidgetAs<DialogWidget>(dialog);
    return widget != nullptr && widget->typeInto(itemId, backend::ToQt(text));
}

bool PressButton(Window dialog, int itemId) {
    CatchUp();
    auto* widget = backend::WidgetAs<DialogWidget>(dialog);
    return widget != nullptr && widget->press(itemId);
}

bool ClickSpin(Window dialog, int spinId, bool up) {
    CatchUp();
    auto* widget = backend::WidgetAs<DialogWidget>(dialog);
    return widget != nullptr && widget->stepSpin(spinId, up);
}

bool DropFilesOn(Window dialog, int itemId, const std::vector<std::string>& names) {
    auto* list = ItemOf<QListWidget>(dialog, itemId);
    if (list == nullptr) return false;
    QMimeData data;
    QList<QUrl> urls;
    for (const std::string& name : names) urls << QUrl::fromLocalFile(backend::ToQt(name));
    data.setUrls(urls);
    // A drop goes to the widget that accepted the drag's entry.
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list->viewport(), &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list->viewport(), &drop);
    return drop.isAccepted();
}

bool MouseOnClient(Window window, Mouse action, Point at) {
    CatchUp();
    auto* topLevel = backend::WidgetAs<TopLevelWidget>(window);
    if (topLevel == nullptr) return false;
    QWidget* viewport = topLevel->view()->viewport();
    const QPointF local(at.x, at.y);
    const auto send = [&](QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, local, viewport->mapToGlobal(local), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &event);
    };
    switch (action) {
        case Mouse::LeftPress: send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton); break;
        case Mouse::LeftDrag: send(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton); break;
        case Mouse::LeftRelease: send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton); break;
        case Mouse::RightRelease: send(QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton); break;
    }
    return true;
}

bool PressKeys(Window window, std::string_view keys) {
    CatchUp();
    auto* topLevel = backend::WidgetAs<TopLevelWidget>(window);
    const QKeySequence sequence(backend::ToQt(keys));
    if (topLevel == nullptr || sequence.isEmpty()) return false;
    const QKeyCombination combination = sequence[0];
    QKeyEvent press(QEvent::KeyPress, combination.key(), combination.keyboardModifiers());
    QCoreApplication::sendEvent(topLevel->view(), &press);
    QKeyEvent release(QEvent::KeyRelease, combination.key(), combination.keyboardModifiers());
    QCoreApplication::sendEvent(topLevel->view(), &release);
    return true;
}

bool TurnWheel(Window window, Point at, int notches, bool control) {
    CatchUp();
    auto* topLevel = backend::WidgetAs<TopLevelWidget>(window);
    if (topLevel == nullptr) return false;
    QWidget* viewport = topLevel->view()->viewport();
    const QPointF local(at.x, at.y);
    QWheelEvent event(local, viewport->mapToGlobal(local), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      control ? Qt::ControlModifier : Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(viewport, &event);
    return true;
}

bool ScrollViewTo(Window window, Point scroll) {
    CatchUp();
    auto* topLevel = backend::WidgetAs<TopLevelWidget>(window);
    if (topLevel == nullptr) return false;
    topLevel->view()->horizontalScrollBar()->setValue(scroll.x);
    topLevel->view()->verticalScrollBar()->setValue(scroll.y);
    return true;
}

bool ResizeByUser(Window window, Size outer) {
    CatchUp();
    auto* topLevel = backend::WidgetAs<TopLevelWidget>(window);
    const auto record = backend::FindWindowRecord(window);
    if (topLevel == nullptr || !record) return false;
    const Size extra = record->frameExtra();
    const int menu = topLevel->menuBar() != nullptr ? topLevel->menuBar()->height() : 0;
    topLevel->resize(outer.width - extra.width, outer.height - extra.height + menu);
    CatchUp();
    return true;
}

bool WholeMenuBarShows(Window window) {
    CatchUp();
    auto* topLevel = backend::WidgetAs<TopLevelWidget>(window);
    if (topLevel == nullptr || topLevel->menuBar() == nullptr) return false;
    QMenuBar* bar = topLevel->menuBar();
    // The bar lays out its entries when shown; one that does not fit is left
    // off and reached through the overflow button at the bar's right end.
    for (QAction* action : bar->actions()) {
        const QRect place = bar->actionGeometry(action);
        if (place.isEmpty() || place.right() >= bar->width()) return false;
    }
    return true;
}

Rect AvailableScreenArea() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return {};
    const QRect area = screen->availableGeometry();
    return Rect{area.x(), area.y(), area.width(), area.height()};
}

bool CloseBoxClicked(Window window) {
    CatchUp();
    QWidget* widget = backend::WidgetOf(window);
    if (widget == nullptr) return false;
    widget->close();
    return true;
}

bool ChooseFromMenuBar(Window window, int commandId) {
    CatchUp();
    auto* topLevel = backend::WidgetAs<TopLevelWidget>(window);
    if (topLevel == nullptr || topLevel->menuBar() == nullptr) return false;
    QAction* action = backend::FindMenuAction(topLevel->menuBar(), commandId);
    if (action == nullptr) return false;
    action->trigger();
    return true;
}

std::string ShownItemText(Window dialog, int itemId) {
    CatchUp();
    auto* widget = backend::WidgetAs<DialogWidget>(dialog);
    QWidget* item = widget == nullptr ? nullptr : widget->itemWidget(itemId);
    if (auto* edit = qobject_cast<QLineEdit*>(item)) return backend::FromQt(edit->text());
    if (auto* label = qobject_cast<QLabel*>(item)) return backend::FromQt(label->text());
    if (auto* button = qobject_cast<QPushButton*>(item)) return backend::FromQt(button->text());
    return {};
}

std::vector<std::string> ShownListLines(Window dialog, int listId) {
    std::vector<std::string> lines;
    if (auto* list = ItemOf<QListWidget>(dialog, listId)) {
        for (int row = 0; row < list->count(); ++row) lines.push_back(backend::FromQt(list->item(row)->text()));
    }
    return lines;
}

int ShownListSelection(Window dialog, int listId) {
    auto* list = ItemOf<QListWidget>(dialog, listId);
    return list == nullptr ? -1 : list->currentRow();
}

bool ShownItemEnabled(Window dialog, int itemId) {
    auto* item = ItemOf<QWidget>(dialog, itemId);
    return item != nullptr && item->isEnabled();
}

Rect ItemGeometry(Window dialog, int itemId) {
    auto* item = ItemOf<QWidget>(dialog, itemId);
    if (item == nullptr) return {};
    const QRect at = item->geometry();
    return Rect{at.x(), at.y(), at.width(), at.height()};
}

}  // namespace lumagrove::platform::testing
