#include "shell/FixedFrames.h"

#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include <xcb/xcb.h>
#include <QGuiApplication>
#include <QWidget>

namespace lumagrove::shell {

namespace {

template <typename Reply>
using ReplyOf = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_atom_t Atom(xcb_connection_t* connection, std::string_view name) {
    const ReplyOf<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.data()), nullptr),
        &std::free);
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

ReplyOf<xcb_get_property_reply_t> Property(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name,
                                           xcb_atom_t type) {
    return ReplyOf<xcb_get_property_reply_t>(
        xcb_get_property_reply(connection, xcb_get_property(connection, 0, window, name, type, 0, 64), nullptr),
        &std::free);
}

// The name the running window manager gives itself, as the desktop
// standards ask it to: on the window the root's "supporting" property names.
std::string WindowManagerName(xcb_connection_t* connection) {
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (screen == nullptr) return {};
    const auto check =
        Property(connection, screen->root, Atom(connection, "_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW);
    if (!check || xcb_get_property_value_length(check.get()) < 4) return {};
    const xcb_window_t manager = *static_cast<const xcb_window_t*>(xcb_get_property_value(check.get()));
    const auto name = Property(connection, manager, Atom(connection, "_NET_WM_NAME"), Atom(connection, "UTF8_STRING"));
    if (!name) return {};
    return std::string(static_cast<const char*>(xcb_get_property_value(name.get())),
                       static_cast<std::size_t>(xcb_get_property_value_length(name.get())));
}

}  // namespace

void OfferNoMinimiseOrMaximise(QWidget& window) {
    if (QGuiApplication::platformName() != QStringLiteral("xcb")) return;
    const auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    if (connection == nullptr) return;
    static const bool underOpenbox = WindowManagerName(connection) == "Openbox";
    if (!underOpenbox) return;
    // The toolbar type first, for Openbox; a dialog still, for anything
    // reading further.
    const xcb_atom_t types[] = {Atom(connection, "_NET_WM_WINDOW_TYPE_TOOLBAR"),
                                Atom(connection, "_NET_WM_WINDOW_TYPE_DIALOG")};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window.winId()),
                        Atom(connection, "_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 32, 2, types);
    xcb_flush(connection);
}

}  // namespace lumagrove::shell
