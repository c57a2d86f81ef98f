#pragma once

#include <string>
#include <vector>

namespace lumagrove::resources {

// One entry of a menu: a command (id != 0) or a popup holding further entries.
// '&' in the text marks the mnemonic letter, as the user sees it underlined.
struct MenuItem {
    std::string text;
    int command = 0;
    std::vector<MenuItem> items;

    bool isPopup() const { return !items.empty(); }
};

// A menu resource: the popups of a menu bar, left to right.
struct MenuTemplate {
    int id = 0;
    std::vector<MenuItem> popups;
};

}  // namespace lumagrove::resources
