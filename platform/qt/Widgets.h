#pragma once

#include <utility>
#include <vector>

#include <QWidget>

#include "platform/Message.h"

// The widgets of the layer's windows, by handle. Main thread only.
namespace lumagrove::platform::backend {

void AddWidget(Window window, QWidget* widget);
QWidget* WidgetOf(Window window);
// Deletes the window's widget, if it still has one.
void DropWidget(Window window);
void DropAllWidgets();
// Oldest first.
std::vector<std::pair<Window, QWidget*>> AllWidgets();

template <typename Kind>
Kind* WidgetAs(Window window) {
    return dynamic_cast<Kind*>(WidgetOf(window));
}

}  // namespace lumagrove::platform::backend
