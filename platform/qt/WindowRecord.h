#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>

#include "platform/Dialog.h"
#include "platform/Window.h"
#include "platform/qt/DialogItems.h"

namespace lumagrove::resources {
struct DialogTemplate;
}

namespace lumagrove::platform::backend {

class ThreadQueue;
struct Scene;

// Everything the layer knows of one window. The owning thread runs its
// procedures and paints; the main thread shows it and reports the user's
// actions. The widget itself is only ever touched on the main thread.
struct WindowRecord {
    Window handle;
    std::shared_ptr<ThreadQueue> queue;  // of the owning thread
    Window owner;
    WindowProcedure procedure;
    DialogProcedure dialogProcedure;
    int menuResource = 0;
    const resources::DialogTemplate* dialogTemplate = nullptr;  // set for dialogs
    bool modal = false;

    std::atomic<LongParam> userData{0};
    std::atomic<bool> invalid{false};
    std::atomic<bool> destroying{false};

    // Dialog state: the items, and how a modal dialog ended.
    std::unique_ptr<DialogItems> items;
    std::atomic<bool> ended{false};
    std::atomic<int> endResult{0};

    // Title and placement. The owning thread sets the title and the client
    // area's size; where the window is and how large its view is on screen
    // are the main thread's, which also follows the user moving or resizing
    // the window.
    mutable std::mutex placementMutex;
    std::string title;
    Point position;
    Size clientSize;  // the program's drawing area, in its own pixels
    Size viewSize;    // the part of the screen that shows it

    // What the owning thread last painted; the widget shows it.
    mutable std::mutex presentedMutex;
    std::shared_ptr<const Scene> presented;

    bool isDialog() const { return dialogTemplate != nullptr; }
    // Frame added to the client area to give the outer size.
    Size frameExtra() const;
    // The view plus the frame, where it is on screen.
    Rect outerFrame() const;
    std::string currentTitle() const;
};

}  // namespace lumagrove::platform::backend
