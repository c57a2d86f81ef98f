#include "shell/ControlWindow.h"

#include <chrono>

#include "platform/Dialog.h"
#include "platform/DroppedFiles.h"
#include "platform/MessageQueue.h"
#include "platform/Threads.h"
#include "platform/Window.h"
#include "resources/ControlIds.h"
#include "shell/FileDialogs.h"
#include "shell/FileIntake.h"
#include "shell/ShellState.h"

namespace lumagrove::shell {
namespace {

using namespace platform;
using namespace std::chrono_literals;

constexpr auto kPollInterval = 250ms;

void PrepareShellState() {
    ShellState& state = TheShellState();
    state.openWindowCount = 0;
    state.loadersRunning = 0;
    state.closeAllEvent = ManualResetEvent(ManualResetEvent::Kind::InterruptsWindowThreads);
}

bool AnyImageWindowToCome() {
    const ShellState& state = TheShellState();
    return state.openWindowCount.load() != 0 || state.loadersRunning.load() != 0;
}

// Tells every image window to close and waits until all have, and until no
// file is being read for another. The main thread keeps serving the windows'
// own requests meanwhile (a closing window's last "Completed in" line among
// them), but takes no user input.
void CloseAllImageWindows() {
    TheShellState().closeAllEvent.set();
    while (AnyImageWindowToCome()) SleepFor(kPollInterval);
}

void HandleCommand(Window window, WordParam word) {
    switch (static_cast<int>(LowWord(word))) {
        case resources::control::LoadImage:
            if (const std::optional<std::string> name = AskOpenFileName(window)) LoadImageFile(*name);
            break;
        case resources::control::Exit: DestroyWindow(window); break;
        case resources::control::CloseAll: CloseAllImageWindows(); break;
        default: break;
    }
}

}  // namespace

Result ControlWindowProc(Window window, Msg message, WordParam word, LongParam data) {
    switch (message) {
        case Msg::Create: PrepareShellState(); return 0;
        case Msg::Command: HandleCommand(window, word); return 0;
        case Msg::DropFiles:
            // In the order the drop lists them; long names are never cut short.
            LoadImageFiles(TakeDroppedFiles(word));
            return 0;
        case Msg::Destroy:
            if (AnyImageWindowToCome()) CloseAllImageWindows();
            PostQuit(0);
            return 0;
        default: return DefaultWindowProcedure(window, message, word, data);
    }
}

Window StartControlWindow(const std::string& commandLine) {
    RegisterWindowClass({kControlWindowClass, ControlWindowProc, 0});
    const Window control = CreateDialogFromTemplate(resources::ControlWindowDialog, Window{});
    // Out of the way of the image windows, which cascade from the top left.
    DockAtRightEdge(control);
    TheShellState().controlWindow = control;
    // The whole text is one name, quotes and blanks included.
    if (!commandLine.empty()) LoadImageFile(commandLine);
    return control;
}

int RunMainLoop() {
    Message message;
    while (NextMessage(message)) DispatchMessage(message);
    return static_cast<int>(message.word);
}

}  // namespace lumagrove::shell
