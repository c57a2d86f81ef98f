#include "platform/TestHooks.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>

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
void CatchUp() {
    QCoreApplication::processEvents();
}

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
    QWidget* client = widget;
    if (auto* topLevel = dynamic_cast<TopLevelWidget*>(widget)) client = topLevel->view()->viewport();
    snapshot.clientSize = Size{client->width(), client->height()};
    const Size extra = record->frameExtra();
    snapshot.outerSize = Size{client->width() + extra.width, client->height() + extra.height};
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
        queue->waitForChange(seen, std::min(deadline, now + std::chrono::milliseconds(10)),
                             backend::UserInput::Accept);
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

bool MouseOnClient(Window window, Mouse action, Point client) {
    CatchUp();
    auto* topLevel = backend::WidgetAs<TopLevelWidget>(window);
    if (topLevel == nullptr) return false;
    QWidget* canvas = topLevel->view()->viewport();
    const bool press = action == Mouse::LeftPress;
    const Qt::MouseButton button = action == Mouse::RightRelease ? Qt::RightButton : Qt::LeftButton;
    const QPointF local(client.x, client.y);
    QMouseEvent event(press ? QEvent::MouseButtonPress : QEvent::MouseButtonRelease, local,
                      canvas->mapToGlobal(local), button, press ? button : Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(canvas, &event);
    return true;
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
