#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <QRect>

struct xcb_connection_t;

namespace lumagrove::desktop::test {

// What the X server and its window manager say about the program's windows,
// asked directly rather than through the toolkit.
class X11Session {
public:
    X11Session();
    ~X11Session();
    X11Session(const X11Session&) = delete;
    X11Session& operator=(const X11Session&) = delete;

    bool connected() const { return connection_ != nullptr; }
    // True once a window manager has announced itself on the root window.
    bool windowManagerRuns() const;

    QRect screen() const;
    // A window the manager manages, by its title.
    std::optional<std::uint32_t> managedWindowTitled(const std::string& title) const;
    // The window with the frame the manager drew around it, on screen; empty
    // until the manager has framed it.
    std::optional<QRect> frameOf(std::uint32_t window) const;
    // The names of the actions the manager offers on the window.
    std::vector<std::string> allowedActions(std::uint32_t window) const;

private:
    std::uint32_t atom(const std::string& name) const;
    std::vector<std::uint32_t> property(std::uint32_t window, const std::string& name, std::uint32_t type) const;
    std::string text(std::uint32_t window, const std::string& name) const;

    xcb_connection_t* connection_ = nullptr;
    std::uint32_t root_ = 0;
};

}  // namespace lumagrove::desktop::test
