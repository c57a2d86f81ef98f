#include "shell/ImageWindow.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>

#include "operations/OperationTable.h"
#include "platform/MessageBox.h"
#include "platform/MessageQueue.h"
#include "platform/Painting.h"
#include "platform/Surface.h"
#include "platform/Threads.h"
#include "platform/Window.h"
#include "resources/ControlIds.h"
#include "shell/FileDialogs.h"
#include "shell/MenuOperation.h"
#include "shell/ParameterDialogs.h"
#include "shell/SharedSettings.h"
#include "shell/ShellState.h"

namespace lumagrove::shell {
namespace {

using namespace platform;

// The popup of the image windows' menu that the right button shows: "&Action".
constexpr int kActionPopup = 1;
// The outer window is the image plus the frame, the caption and the menu bar.
constexpr int kFrameWidth = 2 * FrameBorder;
constexpr int kFrameHeight = 2 * FrameBorder + CaptionHeight + MenuBarHeight;

Size OuterSizeFor(const ImageRecord& record) {
    // A side can be as long as 2^31 - 1 pixels; the frame must not overflow it.
    const auto withFrame = [](std::int32_t side, int frame) {
        return static_cast<int>(std::min<std::int64_t>(std::int64_t{side} + frame, std::numeric_limits<int>::max()));
    };
    return Size{withFrame(record.width, kFrameWidth), withFrame(record.height, kFrameHeight)};
}

// What a window shows: its record and a grey surface over the record's own
// pixels, which the screen may keep showing after the window's thread has
// let go of them, so the record is shared.
struct ImageView {
    std::shared_ptr<ImageRecord> record;
    Surface surface;
    // While the left button is held down: where the outline follows the
    // mouse to. The record's corner only changes on release.
    std::optional<Point> dragTo;
};

ImageView* ViewOf(Window window) { return reinterpret_cast<ImageView*>(UserData(window)); }

void LoadContextMenu() {
    ShellState& state = TheShellState();
    std::lock_guard lock(state.contextMenuMutex);
    if (state.contextMenu.isNull()) state.contextMenu = Menu::Load(resources::ImageWindowMenu);
}

// The closing window still counts, so a count of one means it is the last.
void DropContextMenuAfterLastWindow() {
    ShellState& state = TheShellState();
    std::lock_guard lock(state.contextMenuMutex);
    if (state.openWindowCount.load() == 1) state.contextMenu.reset();
}

void PopUpActionMenu(Window window) {
    ShellState& state = TheShellState();
    Menu popup;
    {
        std::lock_guard lock(state.contextMenuMutex);
        popup = state.contextMenu.subMenu(kActionPopup);
    }
    PopupMenuAtCursor(popup, window);
}

void Paint(Window window) {
    PaintSession paint(window);
    const ImageView* view = ViewOf(window);
    if (view == nullptr) return;
    const ImageRecord& record = *view->record;
    paint.copyFrom(view->surface, 0, 0, record.width, record.height);
    paint.selectPen(TheShellState().selectionPen);
    const Point up = view->dragTo.value_or(Point{record.upX, record.upY});
    paint.moveTo(record.downX, record.downY);
    paint.lineTo(record.downX, up.y);
    paint.lineTo(up.x, up.y);
    paint.lineTo(up.x, record.downY);
    paint.lineTo(record.downX, record.downY);
}

Point PointOf(LongParam data) { return Point{PointX(data), PointY(data)}; }

void PressLeft(Window window, Point at) {
    ImageView* view = ViewOf(window);
    if (view == nullptr) return;
    view->record->downX = at.x;
    view->record->downY = at.y;
    view->dragTo = at;
    Invalidate(window);
}

void MoveMouse(Window window, WordParam buttons, Point at) {
    ImageView* view = ViewOf(window);
    if (view == nullptr || !view->dragTo) return;
    // Without the button the drag ended outside the window: the outline
    // goes back to the stored corners.
    if ((buttons & LeftButtonHeld) != 0) {
        view->dragTo = at;
    } else {
        view->dragTo.reset();
    }
    Invalidate(window);
}

void ReleaseLeft(Window window, Point at) {
    ImageView* view = ViewOf(window);
    if (view == nullptr) return;
    ImageRecord& record = *view->record;
    record.upX = at.x;
    record.upY = at.y;
    view->dragTo.reset();
    TheSettings().setCutoff(record.upX, record.upY);
    Invalidate(window);
}

// Every entry of the menu is routed by its kind in the table.
void HandleCommand(Window window, const OperationEntry& entry) {
    switch (entry.kind) {
        case EntryKind::Close: DestroyWindow(window); return;
        case EntryKind::EditSettings: ShowParameterDialog(window, entry.dialog); return;
        case EntryKind::SaveAs:
            if (const ImageView* view = ViewOf(window)) SaveImageAs(window, *view->record);
            return;
        case EntryKind::Operation:
            if (const ImageView* view = ViewOf(window)) {
                if (std::unique_ptr<ImageRecord> result = RunMenuOperation(window, entry, *view->record)) {
                    StartImageWindow(std::move(result));
                }
            }
            return;
        case EntryKind::NoAction: return;
    }
}

// The thread's loop: it also ends when every image window is told to close,
// which wakes a thread that waits for a message.
void RunLoop(Window window) {
    const ManualResetEvent& closeAll = TheShellState().closeAllEvent;
    while (WindowExists(window)) {
        if (closeAll.isSet()) break;
        WaitForMessage();
        if (const std::optional<platform::Message> message = PollMessage()) DispatchMessage(*message);
    }
}

}  // namespace

Result ImageWindowProc(Window window, Msg message, WordParam word, LongParam data) {
    switch (message) {
        case Msg::Create: LoadContextMenu(); return 0;
        case Msg::Destroy:
            DropContextMenuAfterLastWindow();
            PostQuit(0);
            return 0;
        case Msg::Paint: Paint(window); return 0;
        case Msg::LeftDown: PressLeft(window, PointOf(data)); return 0;
        case Msg::MouseMove: MoveMouse(window, word, PointOf(data)); return 0;
        case Msg::LeftUp: ReleaseLeft(window, PointOf(data)); return 0;
        case Msg::RightUp: PopUpActionMenu(window); return 0;
        case Msg::Command:
            if (const OperationEntry* entry = FindOperationByMenuId(static_cast<std::uint16_t>(LowWord(word)))) {
                HandleCommand(window, *entry);
                return 0;
            }
            break;
        default: break;
    }
    return DefaultWindowProcedure(window, message, word, data);
}

void ImageWindowThread(std::unique_ptr<ImageRecord> record, ManualResetEvent opened) {
    // Every thread registers the class; only the first registration counts.
    RegisterWindowClass({kImageWindowClass, ImageWindowProc, resources::ImageWindowMenu});
    const Window window = CreateWindowOfClass(kImageWindowClass, "Image Window", OuterSizeFor(*record));
    ShellState& state = TheShellState();
    if (!window) {
        opened.set();
        record.reset();
        ShowMessageBox(Window{}, "window creation failed", "");
        --state.openWindowCount;
        return;
    }

    SetWindowTitle(window, "Loading...");
    ShowWindow(window);
    BringToFront(window);
    opened.set();

    const std::shared_ptr<ImageRecord> shared(std::move(record));
    ImageView view{shared,
                   Surface::Over({shared->pixels.data(), shared->pixels.size()}, shared->width, shared->height, shared),
                   std::nullopt};
    SetWindowTitle(window, shared->title);
    shared->downX = shared->downY = shared->upX = shared->upY = 0;
    SetUserData(window, reinterpret_cast<LongParam>(&view));
    Invalidate(window);
    PaintNow(window);

    RunLoop(window);

    // Left because every window was told to close: the window goes now, while
    // its view still exists for any last message.
    if (WindowExists(window)) DestroyWindow(window);
    --state.openWindowCount;
}

void StartImageWindow(std::unique_ptr<ImageRecord> record, ManualResetEvent opened) {
    // The window counts from now on, not only once its thread has made it:
    // otherwise shutting down could see no window while a result window is
    // still on its way, and end without waiting for it.
    ShellState& state = TheShellState();
    ++state.openWindowCount;
    // The thread's body must be copyable, so the record travels in a shared
    // pointer and is handed over whole once the thread runs.
    const bool started = StartThread([record = std::shared_ptr<ImageRecord>(std::move(record)), opened] {
        ImageWindowThread(std::make_unique<ImageRecord>(std::move(*record)), opened);
    });
    if (!started) {
        --state.openWindowCount;
        opened.set();
    }
}

}  // namespace lumagrove::shell
