#pragma once

#include <functional>
#include <vector>

#include <QAction>
#include <QMenu>

#include "platform/qt/Text.h"
#include "resources/MenuTemplate.h"

namespace lumagrove::platform::backend {

// Fills a menu bar or a popup menu from menu data; a chosen entry calls
// `onCommand` with its identifier, which the action also carries as its data.
template <typename MenuWidget>
void AddMenuItems(MenuWidget* menu, const std::vector<resources::MenuItem>& items,
                  const std::function<void(int)>& onCommand) {
    for (const resources::MenuItem& item : items) {
        if (item.isPopup()) {
            AddMenuItems(menu->addMenu(ToQt(item.text)), item.items, onCommand);
            continue;
        }
        QAction* action = menu->addAction(ToQt(item.text));
        action->setData(item.command);
        QObject::connect(action, &QAction::triggered, action,
                         [onCommand, command = item.command] { onCommand(command); });
    }
}

// The action for `command` anywhere in the menu and its popups.
QAction* FindMenuAction(const QWidget* menu, int command);

}  // namespace lumagrove::platform::backend
