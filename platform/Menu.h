#pragma once

#include <string>
#include <vector>

#include "platform/Message.h"

namespace lumagrove::resources {
struct MenuItem;
}

namespace lumagrove::platform {

// A menu or one of its popups, read from the program's resources. Empty
// (isNull) when loading failed or after reset(); copies are cheap.
class Menu {
public:
    Menu() = default;
    static Menu Load(int resourceId);

    bool isNull() const { return items_ == nullptr; }
    void reset() { items_ = nullptr; }

    // The popup at `index` (0 = the leftmost entry of the bar); empty when
    // there is none.
    Menu subMenu(int index) const;
    std::vector<std::string> itemTexts() const;

    const std::vector<resources::MenuItem>* items() const { return items_; }

private:
    explicit Menu(const std::vector<resources::MenuItem>* items) : items_(items) {}
    const std::vector<resources::MenuItem>* items_ = nullptr;
};

// Shows `popup` with its top-left corner at the mouse cursor and returns at
// once. A choice arrives at `owner` as a posted Command message; dismissing
// the menu sends nothing.
void PopupMenuAtCursor(const Menu& popup, Window owner);

}  // namespace lumagrove::platform
