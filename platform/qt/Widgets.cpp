#include "platform/qt/Widgets.h"

#include <map>

#include <QPointer>

namespace lumagrove::platform::backend {

namespace {

// A widget can also go with its parent (a dialog with its owner), so the
// registry holds guarded pointers.
std::map<std::uint32_t, QPointer<QWidget>>& Registry() {
    static std::map<std::uint32_t, QPointer<QWidget>> widgets;
    return widgets;
}

}  // namespace

void AddWidget(Window window, QWidget* widget) { Registry()[window.id] = widget; }

QWidget* WidgetOf(Window window) {
    const auto found = Registry().find(window.id);
    return found == Registry().end() ? nullptr : found->second.data();
}

void DropWidget(Window window) {
    const auto found = Registry().find(window.id);
    if (found == Registry().end()) return;
    QPointer<QWidget> widget = found->second;
    Registry().erase(found);
    delete widget.data();
}

void DropAllWidgets() {
    auto widgets = std::move(Registry());
    Registry().clear();
    for (auto& [id, widget] : widgets) delete widget.data();
}

std::vector<std::pair<Window, QWidget*>> AllWidgets() {
    std::vector<std::pair<Window, QWidget*>> all;
    for (const auto& [id, widget] : Registry()) {
        if (widget) all.emplace_back(Window{id}, widget.data());
    }
    return all;
}

}  // namespace lumagrove::platform::backend
