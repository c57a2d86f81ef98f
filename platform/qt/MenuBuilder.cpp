#include "platform/qt/MenuBuilder.h"

namespace lumagrove::platform::backend {

QAction* FindMenuAction(const QWidget* menu, int command) {
    for (QAction* action : menu->actions()) {
        if (QMenu* popup = action->menu()) {
            if (QAction* found = FindMenuAction(popup, command)) return found;
        } else if (action->data().toInt() == command) {
            return action;
        }
    }
    return nullptr;
}

}  // namespace lumagrove::platform::backend
