#include "X11Session.h"

#include <cstdlib>
#include <memory>

#include <xcb/xcb.h>

namespace lumagrove::desktop::test {

namespace {

template <typename Reply>
std::unique_ptr<Reply, decltype(&std::free)> Owned(Reply* reply) {
    return {reply, &std::free};
}

}  // namespace

X11Session::X11Session() {
    connection_ = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection_) != 0) {
        xcb_disconnect(connection_);
        connection_ = nullptr;
        return;
    }
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
}

X11Session::~X11Session() {
    if (connection_ != nullptr) xcb_disconnect(connection_);
}

std::uint32_t X11Session::atom(const std::string& name) const {
    const auto reply = Owned(xcb_intern_atom_reply(
        connection_, xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(name.size()), name.c_str()), nullptr));
    return reply ? reply->atom : 0;
}

std::vector<std::uint32_t> X11Session::property(std::uint32_t window, const std::string& name,
                                                std::uint32_t type) const {
    const auto reply = Owned(xcb_get_property_reply(
        connection_, xcb_get_property(connection_, 0, window, atom(name), type, 0, 1024), nullptr));
    if (!reply || reply->format != 32) return {};
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return {values, values + xcb_get_property_value_length(reply.get()) / 4};
}

std::string X11Session::text(std::uint32_t window, const std::string& name) const {
    const auto reply = Owned(xcb_get_property_reply(
        connection_, xcb_get_property(connection_, 0, window, atom(name), atom("UTF8_STRING"), 0, 1024), nullptr));
    if (!reply) return {};
    return std::string(static_cast<const char*>(xcb_get_property_value(reply.get())),
                       static_cast<std::size_t>(xcb_get_property_value_length(reply.get())));
}

bool X11Session::windowManagerRuns() const {
    return connected() && !property(root_, "_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW).empty();
}

QRect X11Session::screen() const {
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
    return QRect{0, 0, screen->width_in_pixels, screen->height_in_pixels};
}

std::optional<std::uint32_t> X11Session::managedWindowTitled(const std::string& title) const {
    for (const std::uint32_t window : property(root_, "_NET_CLIENT_LIST", XCB_ATOM_WINDOW)) {
        if (text(window, "_NET_WM_NAME") == title) return window;
    }
    return std::nullopt;
}

std::optional<QRect> X11Session::frameOf(std::uint32_t window) const {
    // The frame is the window's ancestor that is a child of the root.
    std::uint32_t frame = window;
    for (;;) {
        const auto tree = Owned(xcb_query_tree_reply(connection_, xcb_query_tree(connection_, frame), nullptr));
        if (!tree) return std::nullopt;
        if (tree->parent == root_) break;
        frame = tree->parent;
    }
    if (frame == window) return std::nullopt;
    const auto geometry = Owned(xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, frame), nullptr));
    if (!geometry) return std::nullopt;
    const int border = geometry->border_width;
    return QRect{geometry->x, geometry->y, geometry->width + 2 * border, geometry->height + 2 * border};
}

std::vector<std::string> X11Session::allowedActions(std::uint32_t window) const {
    std::vector<std::string> names;
    for (const std::uint32_t action : property(window, "_NET_WM_ALLOWED_ACTIONS", XCB_ATOM_ATOM)) {
        const auto reply = Owned(xcb_get_atom_name_reply(connection_, xcb_get_atom_name(connection_, action), nullptr));
        if (reply) names.emplace_back(xcb_get_atom_name_name(reply.get()), xcb_get_atom_name_name_length(reply.get()));
    }
    return names;
}

}  // namespace lumagrove::desktop::test
