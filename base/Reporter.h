#pragma once

#include <functional>
#include <string>

namespace lumagrove {

enum class MessageIcon { None, Error };

// A message for the user, in the program's own words. The core never shows
// anything itself: the desktop turns this into a message box, the command-line
// tool prints it, and tests record it.
struct Message {
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::None;
};

using Reporter = std::function<void(const Message&)>;

}  // namespace lumagrove
