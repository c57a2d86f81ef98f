#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>

#include <QImage>

#include "platform/Dialog.h"
#include "platform/Window.h"
#include "platform/qt/DialogItems.h"

namespace lumagrove::resources {
struct DialogTemplate;
}

namespace lumagrove::platform::backend {

class ThreadQueue;

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

    // Title and placement; the owning thread changes them through the layer,
    // the main thread when the user moves or resizes the window.
    mutable std::mutex placementMutex;
    std::string title;
    Point position;
    Size clientSize;
    // Placements asked for but not yet applied to the widget: until they
    // are, the widget's own size and position are stale and not reported back.
    std::atomic<int> placementsPending{0};

    // The owning thread paints into the back buffer and then presents it:
    // the presented frame is what the widget shows.
    QImage backBuffer;
    mutable std::mutex presentedMutex;
    QImage presented;

    bool isDialog() const { return dialogTemplate != nullptr; }
    // Frame added to the client area to give the outer size.
    Size frameExtra() const;
    Rect outerFrame() const;
    std::string currentTitle() const;
};

}  // namespace lumagrove::platform::backend
