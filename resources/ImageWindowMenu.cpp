#include <string_view>

#include "operations/OperationTable.h"
#include "resources/ControlIds.h"
#include "resources/Resources.h"

namespace lumagrove::resources {
namespace {

// The popup of `items` with this text, added at the end the first time.
std::vector<MenuItem>& PopupIn(std::vector<MenuItem>& items, std::string_view text) {
    for (MenuItem& item : items) {
        if (item.isPopup() && item.text == text) return item.items;
    }
    items.push_back(MenuItem{std::string(text), 0, {}});
    return items.back().items;
}

// Popups appear in the order the table first names them, and entries in the
// table's order within their popup.
MenuTemplate BuildFromOperationTable() {
    MenuTemplate menu{ImageWindowMenu, {}};
    constexpr std::string_view kStep = " > ";
    for (const OperationEntry& entry : OperationTable()) {
        std::vector<MenuItem>* items = &menu.popups;
        std::string_view path = entry.menuPath;
        for (std::size_t step = path.find(kStep); step != std::string_view::npos; step = path.find(kStep)) {
            items = &PopupIn(*items, path.substr(0, step));
            path.remove_prefix(step + kStep.size());
        }
        items->push_back(MenuItem{std::string(path), entry.menuId, {}});
    }
    return menu;
}

}  // namespace

// Menu bar of every image window; its second popup is also the right-click menu.
const MenuTemplate& ImageWindowMenuTemplate() {
    static const MenuTemplate menu = BuildFromOperationTable();
    return menu;
}

}  // namespace lumagrove::resources
