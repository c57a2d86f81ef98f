#include <algorithm>

#include "platform/DroppedFiles.h"
#include "platform/Painting.h"
#include "platform/Window.h"
#include "platform/qt/MainThread.h"
#include "platform/qt/ScreenPlacement.h"
#include "platform/qt/Text.h"
#include "platform/qt/ThreadQueue.h"
#include "platform/qt/TopLevelWidget.h"
#include "platform/qt/Widgets.h"
#include "platform/qt/WindowRegistry.h"

namespace lumagrove::platform {

using backend::FindOwnWindowRecord;
using backend::FindWindowRecord;

Result DefaultWindowProcedure(Window window, Msg message, WordParam word, LongParam) {
    switch (message) {
        case Msg::Close: DestroyWindow(window); return 0;
        case Msg::Paint: PaintSession{window}; return 0;
        case Msg::DropFiles: TakeDroppedFiles(word); return 0;
        default: return 0;
    }
}

bool RegisterWindowClass(const WindowClass& windowClass) { return backend::AddWindowClass(windowClass); }

Window CreateWindowOfClass(std::string_view className, std::string_view title, Size outerSize) {
    const auto windowClass = backend::FindWindowClass(className);
    if (!windowClass) return {};
    auto record = std::make_shared<backend::WindowRecord>();
    record->queue = backend::ThreadQueue::Current();
    record->procedure = windowClass->procedure;
    record->menuResource = windowClass->menuResource;
    record->title = std::string(title);
    const Size extra = record->frameExtra();
    record->clientSize = Size{std::max(0, outerSize.width - extra.width), std::max(0, outerSize.height - extra.height)};
    record->viewSize = record->clientSize;
    const Window window = backend::AddWindowRecord(record);
    record->queue->adoptWindow(window);
    // Waits, so that the window's place on screen is known on return.
    backend::RunOnMainAndWait([record] { backend::CreateTopLevelWidget(record); });
    if (backend::Deliver(*record, Msg::Create, 0, 0) == -1) {
        DestroyWindow(window);
        return {};
    }
    return window;
}

bool DestroyWindow(Window window) {
    const auto record = FindOwnWindowRecord(window);
    if (!record) return false;
    if (record->destroying.exchange(true)) return true;
    for (const auto& owned : backend::WindowsOwnedBy(window)) {
        if (owned->queue == record->queue) DestroyWindow(owned->handle);
    }
    backend::Deliver(*record, Msg::Destroy, 0, 0);
    backend::ForgetWindow(window);
    return true;
}

bool WindowExists(Window window) { return FindWindowRecord(window) != nullptr; }

void SetWindowTitle(Window window, std::string_view title) {
    const auto record = FindWindowRecord(window);
    if (!record) return;
    {
        std::lock_guard lock(record->placementMutex);
        record->title = std::string(title);
    }
    backend::RunOnMain([window, text = backend::ToQt(title)] {
        if (QWidget* widget = backend::WidgetOf(window)) widget->setWindowTitle(text);
    });
}

std::string WindowTitle(Window window) {
    const auto record = FindWindowRecord(window);
    return record ? record->currentTitle() : std::string();
}

Rect WindowFrame(Window window) {
    const auto record = FindWindowRecord(window);
    return record ? record->outerFrame() : Rect{};
}

Size ClientSize(Window window) {
    const auto record = FindWindowRecord(window);
    if (!record) return {};
    std::lock_guard lock(record->placementMutex);
    return record->clientSize;
}

void PlaceWindow(Window window, const Rect& outer, bool repaint) {
    const auto record = FindWindowRecord(window);
    if (!record) return;
    const Size extra = record->frameExtra();
    {
        std::lock_guard lock(record->placementMutex);
        record->position = Point{outer.x, outer.y};
        if (!record->isDialog()) {
            record->clientSize = Size{std::max(0, outer.width - extra.width), std::max(0, outer.height - extra.height)};
        }
    }
    // Waits, so that WindowFrame tells where the window went on return.
    backend::RunOnMainAndWait([record, at = QPoint(outer.x, outer.y)] {
        if (auto* topLevel = backend::WidgetAs<backend::TopLevelWidget>(record->handle)) {
            topLevel->place(at);
        } else if (QWidget* widget = backend::WidgetOf(record->handle)) {
            widget->move(at);
        }
    });
    if (repaint) Invalidate(window);
}

void DockAtRightEdge(Window window) {
    const auto record = FindWindowRecord(window);
    if (!record) return;
    backend::RunOnMainAndWait([record] {
        QWidget* widget = backend::WidgetOf(record->handle);
        if (widget == nullptr) return;
        backend::DockAtRightEdge(*widget);
        // A hidden widget reports its move only once shown.
        std::lock_guard lock(record->placementMutex);
        record->position = Point{widget->x(), widget->y()};
    });
}

void ShowWindow(Window window) {
    if (!WindowExists(window)) return;
    backend::RunOnMain([window] {
        if (QWidget* widget = backend::WidgetOf(window)) widget->show();
    });
    Invalidate(window);
}

void BringToFront(Window window) {
    backend::RunOnMain([window] {
        if (QWidget* widget = backend::WidgetOf(window)) {
            widget->raise();
            widget->activateWindow();
        }
    });
}

void SetUserData(Window window, LongParam value) {
    if (const auto record = FindWindowRecord(window)) record->userData = value;
}

LongParam UserData(Window window) {
    const auto record = FindWindowRecord(window);
    return record ? record->userData.load() : 0;
}

void Invalidate(Window window) {
    const auto record = FindWindowRecord(window);
    if (!record) return;
    record->invalid = true;
    record->queue->wake();
}

void PaintNow(Window window) {
    const auto record = FindOwnWindowRecord(window);
    if (record && record->invalid.load()) backend::Deliver(*record, Msg::Paint, 0, 0);
}

}  // namespace lumagrove::platform
