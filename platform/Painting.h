#pragma once

#include <memory>

#include "platform/Message.h"
#include "platform/Surface.h"

namespace lumagrove::platform {

struct Pen {
    Rgb color;
    int width = 1;
};

// Painting a window's client area. The window's thread describes what the
// window shows from construction on, starting from the white background;
// destruction presents it and marks the window valid. The main thread then
// shows it at whatever zoom and scroll position the user chooses, without
// asking the window's thread again. Only the owning thread can paint:
// elsewhere the session is inactive and draws nothing.
class PaintSession {
public:
    explicit PaintSession(Window window);
    PaintSession(const PaintSession&) = delete;
    PaintSession& operator=(const PaintSession&) = delete;
    ~PaintSession();

    bool active() const;

    // Shows width x height pixels of `source`, from (sourceX, sourceY), at
    // (x, y) in the client area, unchanged. The window keeps showing the
    // surface's pixels as they are now, without copying them.
    void copyFrom(const Surface& source, int x, int y, int width, int height, int sourceX = 0, int sourceY = 0);

    void selectPen(const Pen& pen);
    void moveTo(int x, int y);
    // Draws with the selected pen from the current point to (x, y), which
    // becomes the current point.
    void lineTo(int x, int y);

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace lumagrove::platform
