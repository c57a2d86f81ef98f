#pragma once

#include <atomic>
#include <mutex>
#include <optional>
#include <string>

#include "platform/Menu.h"
#include "platform/Painting.h"
#include "platform/Threads.h"
#include "platform/Window.h"

namespace lumagrove::shell {

// What the control window makes and every image window uses.
struct ShellState {
    platform::Window controlWindow;
    // Signalled to make every image window leave; it also wakes image-window
    // threads that wait for a message and cancels their dialogs. Never reset.
    platform::ManualResetEvent closeAllEvent{platform::ManualResetEvent::Kind::InterruptsWindowThreads};
    platform::Pen selectionPen{{220, 0, 0}, 1};
    std::atomic<int> openWindowCount{0};
    // Threads still reading files for new windows.
    std::atomic<int> loadersRunning{0};

    // The image windows' right-click menu: loaded by the first image window,
    // dropped by the last. Windows open and close on their own threads.
    std::mutex contextMenuMutex;
    platform::Menu contextMenu;

    // The name the open and save dialogs start from: the last one chosen in
    // either.
    std::mutex fileNameMutex;
    std::string fileNameBuffer;
};

ShellState& TheShellState();

}  // namespace lumagrove::shell
