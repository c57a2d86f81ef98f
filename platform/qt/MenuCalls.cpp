#include <QCursor>
#include <QMenu>
#include <QTimer>

#include "platform/Menu.h"
#include "platform/MessageQueue.h"
#include "platform/qt/MainThread.h"
#include "platform/qt/MenuBuilder.h"
#include "platform/qt/SessionObserver.h"
#include "platform/qt/Widgets.h"
#include "resources/Resources.h"

namespace lumagrove::platform {

Menu Menu::Load(int resourceId) {
    const resources::MenuTemplate* menu = resources::FindMenu(resourceId);
    return menu == nullptr ? Menu() : Menu(&menu->popups);
}

Menu Menu::subMenu(int index) const {
    if (items_ == nullptr || index < 0 || index >= static_cast<int>(items_->size())) return {};
    const resources::MenuItem& item = (*items_)[static_cast<std::size_t>(index)];
    return item.isPopup() ? Menu(&item.items) : Menu();
}

std::vector<std::string> Menu::itemTexts() const {
    std::vector<std::string> texts;
    if (items_ == nullptr) return texts;
    for (const resources::MenuItem& item : *items_) texts.push_back(item.text);
    return texts;
}

void PopupMenuAtCursor(const Menu& popup, Window owner) {
    if (popup.isNull()) return;
    backend::RunOnMain([items = popup.items(), texts = popup.itemTexts(), owner] {
        auto* menu = new QMenu(backend::WidgetOf(owner));
        menu->setAttribute(Qt::WA_DeleteOnClose);
        backend::AddMenuItems(menu, *items,
                              [owner](int command) { PostMessage(owner, Msg::Command, CommandWord(command)); });
        backend::SessionObserver* const observer = backend::InstalledObserver();
        if (observer != nullptr) observer->popupShown({owner, texts});
        menu->popup(QCursor::pos());
        if (const auto command = observer != nullptr ? observer->takePopupAnswer() : std::nullopt) {
            QTimer::singleShot(0, menu, [menu, command = *command] {
                if (QAction* action = backend::FindMenuAction(menu, command)) action->trigger();
                menu->close();
            });
        }
    });
}

}  // namespace lumagrove::platform
