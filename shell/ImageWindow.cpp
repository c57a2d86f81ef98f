#include "shell/ImageWindow.h"

#include "operations/OperationTable.h"
#include "platform/Dialog.h"
#include "platform/MessageBox.h"
#include "platform/MessageQueue.h"
#include "platform/Painting.h"
#include "platform/Surface.h"
#include "platform/Threads.h"
#include "platform/Window.h"
#include "resources/CommandIds.h"
#include "resources/ControlIds.h"
#include "shell/DispatchCommand.h"
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

// What a window shows: its record and the picture rendered from it once.
struct ImageView {
    std::unique_ptr<ImageRecord> record;
    Surface surface;
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
    paint.moveTo(record.downX, record.downY);
    paint.lineTo(record.downX, record.upY);
    paint.lineTo(record.upX, record.upY);
    paint.lineTo(record.upX, record.downY);
    paint.lineTo(record.downX, record.downY);
}

void HandleCommand(Window window, WordParam word) {
    const int id = static_cast<int>(LowWord(word));
    if (id == resources::command::Close) {
        DestroyWindow(window);
    } else if (id == resources::command::SetThreshold) {
        RunModalDialog(resources::ParametersDialog, window, ParametersDialogProc);
    } else if (id == resources::command::SetGradientThresholds) {
        RunModalDialog(resources::EdgeParametersDialog, window, EdgeParametersDialogProc);
    } else if (const ImageView* view = ViewOf(window)) {
        if (auto processed = DispatchCommand(window, word, *view->record)) StartImageWindow(std::move(processed));
    }
}

bool IsWindowCommand(WordParam word) {
    const OperationEntry* entry = FindOperationByMenuId(static_cast<std::uint16_t>(LowWord(word)));
    return entry != nullptr;
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
        case Msg::Create:
            LoadContextMenu();
            return 0;
        case Msg::Destroy:
            DropContextMenuAfterLastWindow();
            PostQuit(0);
            return 0;
        case Msg::Paint:
            Paint(window);
            return 0;
        case Msg::LeftDown:
            if (ImageView* view = ViewOf(window)) {
                view->record->downX = static_cast<std::int32_t>(LowWord(static_cast<WordParam>(data)));
                view->record->downY = static_cast<std::int32_t>(HighWord(static_cast<WordParam>(data)));
            }
            return 0;
        case Msg::LeftUp:
            if (ImageView* view = ViewOf(window)) {
                ImageRecord& record = *view->record;
                record.upX = static_cast<std::int32_t>(LowWord(static_cast<WordParam>(data)));
                record.upY = static_cast<std::int32_t>(HighWord(static_cast<WordParam>(data)));
                TheSettings().setCutoff(record.upX, record.upY);
                Invalidate(window);
            }
            return 0;
        case Msg::RightUp:
            PopUpActionMenu(window);
            return 0;
        case Msg::Command:
            if (!IsWindowCommand(word)) break;
            HandleCommand(window, word);
            return 0;
        default:
            break;
    }
    return DefaultWindowProcedure(window, message, word, data);
}

void ImageWindowThread(std::unique_ptr<ImageRecord> record) {
    // Every thread registers the class; only the first registration counts.
    RegisterWindowClass({kImageWindowClass, ImageWindowProc, resources::ImageWindowMenu});
    const Window window = CreateWindowOfClass(kImageWindowClass, "Image Window", {300, 200});
    ShellState& state = TheShellState();
    if (!window) {
        record.reset();
        ShowMessageBox(Window{}, "window creation failed", "");
        --state.openWindowCount;
        return;
    }

    const Rect frame = WindowFrame(window);
    PlaceWindow(window, {frame.x, frame.y, record->width + kFrameWidth, record->height + kFrameHeight}, true);
    SetWindowTitle(window, "Loading...");
    ShowWindow(window);
    BringToFront(window);

    auto view = std::make_unique<ImageView>(ImageView{nullptr, Surface(record->width, record->height)});
    view->surface.fillFromGray({record->pixels.data(), record->pixels.size()}, record->width, record->height);
    SetWindowTitle(window, record->title);
    record->downX = record->downY = record->upX = record->upY = 0;
    view->record = std::move(record);
    SetUserData(window, reinterpret_cast<LongParam>(view.get()));
    Invalidate(window);
    PaintNow(window);

    RunLoop(window);

    // Left because every window was told to close: the window goes now, while
    // its view still exists for any last message.
    if (WindowExists(window)) DestroyWindow(window);
    view.reset();
    --state.openWindowCount;
}

void StartImageWindow(std::unique_ptr<ImageRecord> record) {
    // The window counts from now on, not only once its thread has made it:
    // otherwise shutting down could see no window while a result window is
    // still on its way, and end without waiting for it.
    ShellState& state = TheShellState();
    ++state.openWindowCount;
    // The thread's body must be copyable, so the record travels in a shared
    // pointer and is handed over whole once the thread runs.
    const bool started = StartThread([record = std::shared_ptr<ImageRecord>(std::move(record))] {
        ImageWindowThread(std::make_unique<ImageRecord>(std::move(*record)));
    });
    if (!started) --state.openWindowCount;
}

}  // namespace lumagrove::shell
